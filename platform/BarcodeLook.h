#pragma once

#include <cmath>

// How a text object shows its text: as text, or as one of the codes below.
// A value type: the object keeps it, the element it paints through holds a
// copy, the store keeps its fields in columns of their own.
struct BarcodeLook
{
    // Stored numbers: never renumber, only add.
    enum Type {
        Text = 0,
        Code128 = 1,
        Ean13 = 2,
        Code39 = 3,
        QrCode = 4,
        Pdf417 = 5,
        DataMatrix = 6,
    };
    // QR error correction: recovers about 7, 15, 25 and 30 % of the symbol.
    enum QrLevel { QrL = 1, QrM = 2, QrQ = 3, QrH = 4 };

    static constexpr int FirstType = Text;
    static constexpr int LastType = DataMatrix;
    // Millimetres of one narrow bar of a linear code.
    static constexpr double DefaultModuleWidth = 0.33;
    static constexpr double MinModuleWidth = 0.1;
    static constexpr double MaxModuleWidth = 2.0;

    int type = Text;
    double moduleWidth = DefaultModuleWidth;
    int qrLevel = QrM;
    // Linear codes: the digits or letters printed under the bars.
    bool showText = true;

    // Module widths are kept to the micrometre, as fine as anyone prints.
    static double roundedWidth(double mm) { return std::round(mm * 1000.0) / 1000.0; }
    static bool isModuleWidth(double mm) { return mm >= MinModuleWidth && mm <= MaxModuleWidth; }

    bool isCode() const { return type != Text; }
    // Bars side by side; the others are matrices or stacked rows.
    bool isLinear() const { return type == Code128 || type == Ean13 || type == Code39; }

    bool operator==(const BarcodeLook &) const = default;
};
