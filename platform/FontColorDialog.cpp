#include "FontColorDialog.h"

#include "Dialogs.h"
#include "Platform.h"
#include "RuntimeError.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

// The family's own face for the weight and slant: the weight nearest to
// normal (or bold), then the shortest name, so "Book" wins over
// "Condensed" and "Regular" over "Light". Qt's dialog would otherwise take
// the first face it lists, an oblique one for some families. Empty when
// the family has no such face.
QString faceFor(const QString &family, bool bold, bool italic)
{
    const int target = bold ? QFont::Bold : QFont::Normal;
    QString best;
    int bestDistance = 0;
    for (const QString &style : QFontDatabase::styles(family)) {
        if (QFontDatabase::bold(family, style) != bold
            || QFontDatabase::italic(family, style) != italic)
            continue;
        const int distance = std::abs(QFontDatabase::weight(family, style) - target);
        if (best.isEmpty() || distance < bestDistance
            || (distance == bestDistance && style.size() < best.size())) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}

QFont toQFont(const ElementFont &font)
{
    QFont f(font.Name);
    f.setPointSizeF(font.Size);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.Strikethru);
    const QString face = faceFor(font.Name, font.Bold, font.Italic);
    if (!face.isEmpty())
        f.setStyleName(face);
    return f;
}

} // namespace

FontColorDialog::FontColorDialog(const FontChoice &initial, QWidget *parent)
    : QDialog(parent)
    , m_color(initial.Color)
{
    setWindowTitle(QFontDialog::tr("Select Font"));

    // Qt's own dialog, embedded as a page of this one; its list shows only
    // fonts that exist, with the effects (underline, strike-out).
    m_fontDialog = new QFontDialog(this);
    m_fontDialog->setWindowFlags(Qt::Widget);
    m_fontDialog->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    m_fontDialog->setCurrentFont(toQFont(initial.Font));
    m_fontDialog->setSizeGripEnabled(false);
    if (QLayout *inner = m_fontDialog->layout())
        inner->setContentsMargins(0, 0, 0, 0);
    setSizeGripEnabled(true);
    // Escape inside the embedded dialog would only hide it.
    connect(m_fontDialog, &QDialog::rejected, this, &QDialog::reject);

    auto *colorLabel = new QLabel(QStringLiteral("颜色(&C)："), this);
    m_colorButton = new QPushButton(this);
    m_colorButton->setObjectName(QStringLiteral("colorButton"));
    m_colorButton->setAutoDefault(false);
    colorLabel->setBuddy(m_colorButton);
    connect(m_colorButton, &QPushButton::clicked, this, &FontColorDialog::chooseColor);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *colorRow = new QHBoxLayout;
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(m_colorButton);
    colorRow->addStretch();
    colorRow->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_fontDialog);
    layout->addLayout(colorRow);
    showColor();
}

FontChoice FontColorDialog::choice() const
{
    const QFont font = m_fontDialog->currentFont();
    FontChoice chosen;
    chosen.Font.Name = font.family();
    chosen.Font.Size = font.pointSizeF();
    chosen.Font.Bold = font.bold();
    chosen.Font.Italic = font.italic();
    chosen.Font.Underline = font.underline();
    chosen.Font.Strikethru = font.strikeOut();
    chosen.Color = m_color;
    return chosen;
}

// A failed colour choice is reported and leaves the colour as it was.
void FontColorDialog::chooseColor()
{
    try {
        if (const auto color = Platform::dialogs().ChooseColor(m_color)) {
            m_color = *color;
            showColor();
        }
    } catch (const RuntimeError &error) {
        Platform::dialogs().MsgBox(error.Description(), MsgButtons::OK, MsgIcon::Exclamation,
                                   windowTitle());
    }
}

void FontColorDialog::showColor()
{
    const int side = fontMetrics().height();
    QPixmap swatch(side * 3, side);
    swatch.fill(m_color);
    m_colorButton->setIcon(QIcon(swatch));
    m_colorButton->setIconSize(swatch.size());
}
