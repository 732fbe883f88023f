#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>

// The blank form laid beneath the page while a template is designed: a scan
// or photograph of the stationery, or one page of a PDF. It belongs to the
// template and is stored with it, but no print path reads it: the paper
// already carries the form.
struct FormUnderlay
{
    static constexpr int MinOpacity = 10;
    static constexpr int MaxOpacity = 100;
    static constexpr int DefaultOpacity = 50;

    // The file's bytes; empty: no underlay.
    QByteArray Data;
    // The file's name without its folder; its suffix hints at the format.
    QString FileName;
    // The page of a PDF file, from 1.
    int Page = 1;
    // Percent, MinOpacity to MaxOpacity.
    int Opacity = DefaultOpacity;
    // Where it lies on the page, twips.
    QRectF Place;

    bool isEmpty() const { return Data.isEmpty(); }
    // The picture or PDF page as it is drawn, opaque; a null image when
    // there is none or the bytes no longer decode (an underlay only helps
    // placing, so a damaged one hides rather than stops anything).
    QImage decoded() const;
    bool operator==(const FormUnderlay &other) const = default;
};
