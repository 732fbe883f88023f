#include "BarcodeSymbol.h"

#include <QCache>
#include <QStringList>

#include <zint.h>

#include <algorithm>
#include <cstring>

namespace {

// Zint's vector output draws one module two units wide.
constexpr double UnitsPerModule = 2.0;
constexpr int CachedSymbols = 4096;

int zintSymbology(int type)
{
    switch (type) {
    case BarcodeLook::Code128:
        return BARCODE_CODE128;
    case BarcodeLook::Ean13:
        return BARCODE_EANX;
    case BarcodeLook::Code39:
        return BARCODE_CODE39;
    case BarcodeLook::QrCode:
        return BARCODE_QRCODE;
    case BarcodeLook::Pdf417:
        return BARCODE_PDF417;
    case BarcodeLook::DataMatrix:
        return BARCODE_DATAMATRIX;
    default:
        return 0;
    }
}

QString quoted(QChar c)
{
    return QStringLiteral("“%1”").arg(c);
}

// The EAN check digit of twelve digits.
int eanCheckDigit(const QString &digits)
{
    int sum = 0;
    for (int i = 0; i < 12; ++i)
        sum += digits.at(i).digitValue() * (i % 2 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

// Zint reads EAN input with fewer digits as EAN-8 or an add-on and takes
// "+" for an add-on, so the type's own rule is checked first.
QString eanProblem(const QString &data)
{
    for (const QChar c : data) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QStringLiteral("EAN-13 只能由数字组成，%1不是数字").arg(quoted(c));
    }
    if (data.size() != 12 && data.size() != 13)
        return QStringLiteral("EAN-13 要 12 位数字（校验位自动加上）或 13 位数字，这里是 %1 位")
            .arg(data.size());
    if (data.size() == 13 && data.at(12).digitValue() != eanCheckDigit(data))
        return QStringLiteral("EAN-13 的校验位应为 %1，这里是 %2")
            .arg(eanCheckDigit(data))
            .arg(data.at(12));
    return QString();
}

// Zint would quietly print lower-case letters as capitals.
QString code39Problem(const QString &data)
{
    static const QString allowed = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ -.$/+%");
    for (const QChar c : data) {
        if (!allowed.contains(c))
            return QStringLiteral("Code 39 只能编码数字、大写字母、空格和 - . $ / + %，不能编码%1")
                .arg(quoted(c));
    }
    return QString();
}

QString code128Problem(const QString &data)
{
    for (const QChar c : data) {
        if (c.unicode() > 0xff)
            return QStringLiteral("Code 128 只能编码西文字符，不能编码%1").arg(quoted(c));
    }
    return QString();
}

QString typeProblem(int type, const QString &data)
{
    if (data.isEmpty())
        return QStringLiteral("没有要编码的内容");
    switch (type) {
    case BarcodeLook::Ean13:
        return eanProblem(data);
    case BarcodeLook::Code39:
        return code39Problem(data);
    case BarcodeLook::Code128:
        return code128Problem(data);
    default:
        return QString();
    }
}

// What Zint refused, said for the user.
QString zintProblem(int type, int error, const char *errtxt)
{
    const QString name = BarcodeSymbol::typeName(type);
    switch (error) {
    case ZINT_ERROR_TOO_LONG:
        return QStringLiteral("内容太长，%1 放不下").arg(name);
    case ZINT_ERROR_INVALID_DATA:
        return QStringLiteral("内容里有 %1 不能编码的字符").arg(name);
    default:
        return QStringLiteral("%1 无法编码（%2）").arg(name, QString::fromUtf8(errtxt));
    }
}

void configure(zint_symbol &symbol, const BarcodeLook &look)
{
    symbol.symbology = zintSymbology(look.type);
    symbol.input_mode = UNICODE_MODE;
    symbol.output_options |= BARCODE_QUIET_ZONES;
    symbol.show_hrt = look.isLinear() ? 1 : 0;
    if (look.type == BarcodeLook::QrCode)
        symbol.option_1 = std::clamp(look.qrLevel, int(BarcodeLook::QrL), int(BarcodeLook::QrH));
    // Data Matrix in its square sizes only, as scanners expect by default.
    if (look.type == BarcodeLook::DataMatrix)
        symbol.option_3 = DM_SQUARE;
}

struct ZintSymbol
{
    ZintSymbol() : p(ZBarcode_Create()) {}
    ~ZintSymbol() { ZBarcode_Delete(p); }
    ZintSymbol(const ZintSymbol &) = delete;
    ZintSymbol &operator=(const ZintSymbol &) = delete;
    zint_symbol *p;
};

QString cacheKey(const BarcodeLook &look, const QString &data)
{
    const int level = look.type == BarcodeLook::QrCode ? look.qrLevel : 0;
    return QString::number(look.type) + QLatin1Char('/') + QString::number(level)
           + QLatin1Char('/') + data;
}

} // namespace

QString BarcodeSymbol::typeName(int type)
{
    static const QStringList names{QStringLiteral("文字"),   QStringLiteral("Code 128"),
                                   QStringLiteral("EAN-13"), QStringLiteral("Code 39"),
                                   QStringLiteral("QR 码"),  QStringLiteral("PDF417"),
                                   QStringLiteral("Data Matrix")};
    return type >= 0 && type < names.size() ? names.at(type) : QString();
}

QString BarcodeSymbol::sampleData(int type)
{
    return type == BarcodeLook::Ean13 ? QStringLiteral("6901234567892")
                                      : QStringLiteral("12345678");
}

std::shared_ptr<const BarcodeSymbol> BarcodeSymbol::encode(const BarcodeLook &look,
                                                           const QString &data)
{
    static QCache<QString, std::shared_ptr<const BarcodeSymbol>> cache(CachedSymbols);
    const QString key = cacheKey(look, data);
    if (const auto *kept = cache.object(key))
        return *kept;
    auto symbol = std::make_shared<const BarcodeSymbol>(make(look, data));
    cache.insert(key, new std::shared_ptr<const BarcodeSymbol>(symbol));
    return symbol;
}

BarcodeSymbol BarcodeSymbol::refused(QString reason)
{
    BarcodeSymbol symbol;
    symbol.m_reason = std::move(reason);
    return symbol;
}

BarcodeSymbol BarcodeSymbol::make(const BarcodeLook &look, const QString &data)
{
    if (!look.isCode())
        return refused(QStringLiteral("不是条码"));
    if (const QString problem = typeProblem(look.type, data); !problem.isEmpty())
        return refused(problem);
    ZintSymbol zint;
    configure(*zint.p, look);
    const QByteArray utf8 = data.toUtf8();
    int error = ZBarcode_Encode(zint.p, reinterpret_cast<const unsigned char *>(utf8.constData()),
                                int(utf8.size()));
    if (error < ZINT_ERROR)
        error = ZBarcode_Buffer_Vector(zint.p, 0);
    if (error >= ZINT_ERROR)
        return refused(zintProblem(look.type, error, zint.p->errtxt));

    BarcodeSymbol symbol;
    const zint_vector &vector = *zint.p->vector;
    double barBottom = 0;
    for (const zint_vector_rect *r = vector.rectangles; r; r = r->next) {
        const QRectF bar(r->x / UnitsPerModule, r->y / UnitsPerModule, r->width / UnitsPerModule,
                         r->height / UnitsPerModule);
        symbol.m_bars.push_back(bar);
        barBottom = std::max(barBottom, bar.bottom());
    }
    double height = vector.height / UnitsPerModule;
    if (look.isLinear()) {
        // The main bars: Zint's height, whatever the text and guards add.
        height = std::min<double>(zint.p->height, barBottom);
        for (const zint_vector_string *s = vector.strings; s; s = s->next)
            symbol.m_captions.push_back(
                {QString::fromUtf8(reinterpret_cast<const char *>(s->text)),
                 s->x / UnitsPerModule, s->halign});
    }
    symbol.m_size = QSizeF(vector.width / UnitsPerModule, height);
    return symbol;
}
