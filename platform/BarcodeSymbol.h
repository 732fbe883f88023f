#pragma once

#include "BarcodeLook.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

// One code as Zint encodes it, measured in modules: the dark rectangles,
// the human-readable text Zint would set under a linear code, and the
// symbol's size with its quiet zones. Data the type cannot encode gives a
// symbol with no bars and the reason, in Chinese.
class BarcodeSymbol
{
public:
    // Where Zint puts a piece of the human-readable text: x is the piece's
    // anchor in modules, align says which of its ends or its centre that is.
    enum Anchor { Centre = 0, LeftEnd = 1, RightEnd = 2 };
    struct Caption
    {
        QString text;
        double x = 0;
        int anchor = Centre;
    };

    // Encoded symbols are kept (a page is composed several times and the
    // designer repaints often); the same look and data give the same one.
    static std::shared_ptr<const BarcodeSymbol> encode(const BarcodeLook &look,
                                                       const QString &data);
    // Placeholder data a bound value shows in the designer, one that the
    // type can encode.
    static QString sampleData(int type);
    // The type's name as the dialog lists it ("Code 128", "QR 码").
    static QString typeName(int type);

    bool isValid() const { return m_reason.isEmpty(); }
    const QString &reason() const { return m_reason; }
    // Quiet zones included. For a linear code the height is that of its
    // main bars; guard bars reach further down (below barHeight).
    QSizeF size() const { return m_size; }
    double barHeight() const { return m_size.height(); }
    const std::vector<QRectF> &bars() const { return m_bars; }
    const std::vector<Caption> &captions() const { return m_captions; }

private:
    static BarcodeSymbol make(const BarcodeLook &look, const QString &data);
    static BarcodeSymbol refused(QString reason);

    QString m_reason;
    QSizeF m_size;
    std::vector<QRectF> m_bars;
    std::vector<Caption> m_captions;
};
