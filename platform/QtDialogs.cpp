#include "QtDialogs.h"

#include "FontColorDialog.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

#include <algorithm>

namespace {

QMessageBox::Icon qtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::OK:
        break;
    }
    return QMessageBox::Ok;
}

MsgResult fromQt(int button)
{
    switch (button) {
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    default:
        return MsgResult::OK;
    }
}

QString casesOf(const QString &pattern)
{
    QStringList variants{pattern, pattern.toLower(), pattern.toUpper()};
    variants.removeDuplicates();
    return variants.join(QLatin1Char(' '));
}

} // namespace

MsgResult QtDialogs::MsgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                            const QString &title)
{
    QMessageBox box(qtIcon(icon), title, text, qtButtons(buttons));
    return fromQt(box.exec());
}

QString QtDialogs::InputBox(const QString &prompt, const QString &title,
                            const QString &defaultText)
{
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Normal,
                                               defaultText, &ok);
    return ok ? text : QString();
}

std::optional<QString> QtDialogs::PasswordBox(const QString &prompt, const QString &title)
{
    bool ok = false;
    const QString text = QInputDialog::getText(nullptr, title, prompt, QLineEdit::Password,
                                               QString(), &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QString> QtDialogs::OpenFile(const FileDialogRequest &request)
{
    const QString name = QFileDialog::getOpenFileName(nullptr, request.title, request.initialPath,
                                                      toQtFilter(request.filter));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QString> QtDialogs::SaveFile(const FileDialogRequest &request)
{
    const QString name = QFileDialog::getSaveFileName(nullptr, request.title, request.initialPath,
                                                      toQtFilter(request.filter));
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

std::optional<QColor> QtDialogs::ChooseColor(const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<FontChoice> QtDialogs::ChooseFont(const FontChoice &initial)
{
    FontColorDialog dialog(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

namespace {

// The pages the dialog chose, counted from 1; empty: all of them.
QPageRanges chosenPages(const QPrinter &printer, int currentPage)
{
    switch (printer.printRange()) {
    case QPrinter::PageRange:
        return printer.pageRanges();
    case QPrinter::CurrentPage: {
        QPageRanges current;
        current.addPage(currentPage);
        return current;
    }
    case QPrinter::AllPages:
    case QPrinter::Selection:
        break;
    }
    return QPageRanges();
}

} // namespace

std::optional<PrintChoice> QtDialogs::PrintSetup(const PrintSetupRequest &request)
{
    QPrinter printer(QPrinter::HighResolution);
    const PrintChoice &initial = request.initial;
    if (!initial.outputFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(initial.outputFile);
    } else if (!initial.printerName.isEmpty()) {
        printer.setPrinterName(initial.printerName);
    }
    printer.setCopyCount(initial.copies);
    printer.setCollateCopies(initial.collate);
    QPrintDialog dialog(&printer);
    dialog.setWindowTitle(request.title);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
                      | QAbstractPrintDialog::PrintCollateCopies
                      | QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, std::max(1, request.pageCount));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PrintChoice choice;
    if (printer.outputFormat() == QPrinter::PdfFormat)
        choice.outputFile = printer.outputFileName();
    else
        choice.printerName = printer.printerName();
    choice.copies = std::max(1, printer.copyCount());
    choice.collate = printer.collateCopies();
    choice.pages = chosenPages(printer, request.currentPage);
    return choice;
}

int QtDialogs::ExecModal(QDialog &dialog)
{
    return dialog.exec();
}

QString QtDialogs::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << casesOf(pattern.trimmed());
        entries << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}
