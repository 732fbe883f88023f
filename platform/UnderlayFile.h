#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>

#include <memory>
#include <optional>

// A picture or PDF file read as the blank form beneath a page. It is checked
// as it is opened, so a file that cannot serve is refused, with the reason
// in Chinese, before it replaces anything.
class UnderlayFile
{
public:
    // Larger pictures are refused, and a PDF page is rendered at a lower
    // resolution than PdfDpi to stay within it: 40 million pixels hold an
    // A3 form at 400 dpi.
    static constexpr qint64 MaxPixels = 40'000'000;
    static constexpr int PdfDpi = 300;

    // Reads the file's bytes; fileName's suffix is a hint only. Throws
    // RuntimeError (CannotLoadPicture) whose description says why the file
    // cannot serve: no picture, damaged or incomplete, too large, a PDF
    // without pages or with a password.
    UnderlayFile(const QByteArray &bytes, const QString &fileName);
    ~UnderlayFile();
    UnderlayFile(const UnderlayFile &) = delete;
    UnderlayFile &operator=(const UnderlayFile &) = delete;

    bool isPdf() const;
    // 1 for a picture.
    int pageCount() const;
    // The page's size on paper in twips when the file records it (a PDF
    // page always does, a picture when it records its resolution).
    std::optional<QSizeF> paperSize(int page) const;
    // The picture, or the PDF page rendered on white, opaque. Throws
    // RuntimeError as the constructor does (a page out of range too).
    QImage image(int page) const;

    // The chooser's filter: the picture formats and PDF.
    static QString filter();

private:
    class Private;
    std::unique_ptr<Private> d;
};
