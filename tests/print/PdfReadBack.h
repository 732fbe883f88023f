#pragma once

#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

// What pdftotext -bbox reads back from a PDF: pages and their words, in
// points from the page's top left.
struct Word
{
    double xMin, yMin, xMax, yMax;
    QString text;
};

struct PdfPage
{
    double width = 0;
    double height = 0;
    QList<Word> words;
};

inline QString unescape(QString s)
{
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

// Pages and words of a PDF as pdftotext -bbox reads them (points).
inline QList<PdfPage> readBack(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression pageRe(
        QString::fromLatin1(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordRe(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfPage> pages;
    for (const QString &chunk : html.split(QStringLiteral("<page "))) {
        const auto page = pageRe.match(QStringLiteral("<page ") + chunk);
        if (!page.hasMatch())
            continue;
        PdfPage p;
        p.width = page.captured(1).toDouble();
        p.height = page.captured(2).toDouble();
        auto it = wordRe.globalMatch(chunk);
        while (it.hasNext()) {
            const auto m = it.next();
            p.words.append({m.captured(1).toDouble(), m.captured(2).toDouble(),
                            m.captured(3).toDouble(), m.captured(4).toDouble(),
                            unescape(m.captured(5))});
        }
        pages.append(p);
    }
    return pages;
}

inline const Word *findWord(const PdfPage &page, const QString &text)
{
    for (const Word &w : page.words) {
        if (w.text == text)
            return &w;
    }
    return nullptr;
}

