#include "mFrm_PageSetup.h"

#include "DialogParts.h"
#include "NumberText.h"
#include "PrintOffsetGroup.h"
#include "UnderlayGroup.h"

#include "model/BillTemplate.h"

#include "print/ReportedSlot.h"
#include "print/ScrollGrid.h"

#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/Units.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

const QString DefaultRowCount = QStringLiteral("5");
const QString DefaultRowHeight = QStringLiteral("400");
constexpr int PictureSide = 32;
// The page's size, in twips.
constexpr double MinPageTwips = 1000;
constexpr double MaxPageTwips = Units::MaxLengthTwips;

// An empty or zero value becomes the default; any other is shown as plain
// number text.
void applyChangeRule(QLineEdit &box, const QString &fallback)
{
    const double v = NumberText::value(box.text().trimmed());
    const QString text = v == 0 ? fallback : Units::plainNumber(v);
    if (box.text() != text)
        box.setText(text);
}

template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QLineEdit *numberBox(const char *name)
{
    auto *box = named(new QLineEdit, name);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000.00")) + 12);
    return box;
}

using DialogParts::buddyLabel;

// The page picture at its design size in the dialog's resolution.
QLabel *orientationPicture(const QString &name, const QWidget &dialog)
{
    const double scale = dialog.logicalDpiY() / 96.0;
    const double ratio = dialog.devicePixelRatioF();
    const int side = int(std::lround(PictureSide * scale * ratio));
    QPixmap picture = QPixmap::fromImage(Icons::image(name, QSize(side, side)));
    picture.setDevicePixelRatio(ratio);
    auto *label = new QLabel;
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

bool isCount(double v)
{
    const double r = Units::roundHalfEven(v);
    return r >= 0 && r <= std::numeric_limits<int16_t>::max();
}

} // namespace

mFrm_PageSetup::mFrm_PageSetup(BillTemplate &bill, int scaleMode, QWidget *parent)
    : QDialog(parent)
    , m_bill(bill)
    , m_scaleMode(scaleMode)
{
    setWindowTitle(QStringLiteral("页面设置"));
    createElements();
    layOut();
    Form_Load();
}

void mFrm_PageSetup::createElements()
{
    m_txtName = named(new QLineEdit, "TxtName");
    m_txtName->installEventFilter(this);
    m_labWidth = numberBox("LabWidth");
    m_labHeight = numberBox("LabHeight");
    m_txtCount = numberBox("TxtCount");
    m_txtHeight = numberBox("TxtHeight");
    m_txtColCount = numberBox("TxtColCount");
    m_txtWidth = numberBox("TxtWidth");
    m_chkColFirst = named(new QCheckBox(QStringLiteral("先列后行(&F)")), "ChkColFirst");
    m_optPortrait = named(new QRadioButton(QStringLiteral("纵向(&O)")), "OptPortrait");
    m_optLandScape = named(new QRadioButton(QStringLiteral("横向(&A)")), "OptLandScape");
    auto *orientation = new QButtonGroup(this);
    orientation->addButton(m_optPortrait);
    orientation->addButton(m_optLandScape);
    m_image1 = named(orientationPicture(QStringLiteral("Portrait"), *this), "Image1");
    m_image2 = named(orientationPicture(QStringLiteral("Landscape"), *this), "Image2");
    m_chkDefault = named(new QCheckBox(QStringLiteral("设为默认值(&D)")), "ChkDefault");
    m_cmdOK = named(new QPushButton(QStringLiteral("确  定(&O)")), "CmdOK");
    m_cmdOK->setDefault(true);
    m_cmdCancel = named(new QPushButton(QStringLiteral("取  消(&C)")), "CmdCancel");
    m_cmdCancel->setAutoDefault(false);
    const PageSurface &page = m_bill.mObjs.page();
    m_underlay = new UnderlayGroup(m_bill.mUnderlay, QSizeF(page.Width(), page.Height()));
    m_offset = new PrintOffsetGroup(QPointF(m_bill.mOffsetLeft, m_bill.mOffsetTop));

    connect(m_txtCount, &QLineEdit::editingFinished, this,
            reportedSlot(this, &mFrm_PageSetup::TxtCount_Change));
    connect(m_txtHeight, &QLineEdit::editingFinished, this,
            reportedSlot(this, &mFrm_PageSetup::TxtHeight_Change));
    connect(m_optPortrait, &QRadioButton::toggled, this,
            reportedSlot(this, &mFrm_PageSetup::OptPortrait_Click));
    connect(m_optLandScape, &QRadioButton::toggled, this,
            reportedSlot(this, &mFrm_PageSetup::OptLandScape_Click));
    connect(m_cmdOK, &QPushButton::clicked, this, reportedSlot(this, &mFrm_PageSetup::CmdOK_Click));
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void mFrm_PageSetup::layOut()
{
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(buddyLabel(QStringLiteral("单据名称(&N)："), m_txtName));
    nameRow->addWidget(m_txtName, 1);

    // A heading with a rule after it, over the two page-size labels.
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    auto *heading = new QHBoxLayout;
    heading->addWidget(new QLabel(QStringLiteral("页面大小(毫米)")));
    heading->addWidget(rule, 1);
    auto *pageSize = new QHBoxLayout;
    pageSize->addSpacing(12);
    pageSize->addWidget(buddyLabel(QStringLiteral("页宽："), m_labWidth));
    pageSize->addWidget(m_labWidth, 1);
    pageSize->addSpacing(16);
    pageSize->addWidget(buddyLabel(QStringLiteral("页高："), m_labHeight));
    pageSize->addWidget(m_labHeight, 1);

    // Labels end at one edge, so their colons line up.
    const Qt::Alignment labelAlignment = Qt::AlignRight | Qt::AlignVCenter;
    auto *scrolling = new QGroupBox(QStringLiteral("滚动行/列：(毫米)"));
    auto *grid = new QGridLayout(scrolling);
    grid->addWidget(buddyLabel(QStringLiteral("行数(&U)："), m_txtCount), 0, 0, labelAlignment);
    grid->addWidget(m_txtCount, 0, 1);
    grid->addWidget(buddyLabel(QStringLiteral("行高(&H)："), m_txtHeight), 0, 3, labelAlignment);
    grid->addWidget(m_txtHeight, 0, 4);
    grid->addWidget(buddyLabel(QStringLiteral("列数(&N)："), m_txtColCount), 1, 0, labelAlignment);
    grid->addWidget(m_txtColCount, 1, 1);
    grid->addWidget(buddyLabel(QStringLiteral("列宽(&W)："), m_txtWidth), 1, 3, labelAlignment);
    grid->addWidget(m_txtWidth, 1, 4);
    grid->addWidget(m_chkColFirst, 2, 0, 1, 5);
    grid->setColumnMinimumWidth(2, 16);

    // Both pictures share one place; only the chosen one shows.
    auto *orientation = new QGroupBox(QStringLiteral("打印方向:"));
    auto *options = new QVBoxLayout;
    options->addWidget(m_optPortrait);
    options->addWidget(m_optLandScape);
    auto *pictures = new QGridLayout;
    pictures->addWidget(m_image1, 0, 0);
    pictures->addWidget(m_image2, 0, 0);
    const int side = m_image1->pixmap().deviceIndependentSize().toSize().height();
    pictures->setRowMinimumHeight(0, side);
    pictures->setColumnMinimumWidth(0, side);
    auto *orientationRow = new QHBoxLayout(orientation);
    orientationRow->addLayout(options);
    orientationRow->addSpacing(16);
    orientationRow->addLayout(pictures);
    orientationRow->addStretch();

    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(orientation, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addSpacing(6);
    layout->addLayout(heading);
    layout->addLayout(pageSize);
    layout->addSpacing(6);
    layout->addWidget(scrolling);
    layout->addLayout(bottom);
    layout->addWidget(m_chkDefault);
    layout->addWidget(m_underlay);
    layout->addWidget(m_offset);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

double mFrm_PageSetup::toMm(double value, bool horizontal) const
{
    return ScaleConversion::convert(value, m_scaleMode, ScaleConversion::Millimeters, horizontal);
}

double mFrm_PageSetup::fromMm(const QLineEdit &box, const ShownLength &shown,
                              bool horizontal) const
{
    if (shown.unchanged(box.text()))
        return shown.value;
    return ScaleConversion::convert(NumberText::value(box.text()), ScaleConversion::Millimeters,
                                    m_scaleMode, horizontal);
}

void mFrm_PageSetup::Form_Load()
{
    m_txtName->setText(m_bill.Caption);
    m_shownRowHeight = {Units::formatMm(toMm(m_bill.mRowHeight, false)), m_bill.mRowHeight};
    m_txtHeight->setText(m_shownRowHeight.text);
    TxtHeight_Change();
    m_txtCount->setText(QString::number(m_bill.mrowcount));
    TxtCount_Change();
    m_shownColWidth = {Units::formatMm(toMm(m_bill.mColWidth, true)), m_bill.mColWidth};
    m_txtWidth->setText(m_shownColWidth.text);
    m_txtColCount->setText(QString::number(m_bill.mcolcount));
    m_chkColFirst->setChecked(m_bill.mBlnColFirst);
    const PageSurface &page = m_bill.mObjs.page();
    m_shownPageWidth = {Units::formatMm(toMm(page.Width(), true)), page.Width()};
    m_shownPageHeight = {Units::formatMm(toMm(page.Height(), false)), page.Height()};
    m_labWidth->setText(m_shownPageWidth.text);
    m_labHeight->setText(m_shownPageHeight.text);
    if (m_bill.mLandScape)
        m_optLandScape->setChecked(true);
    else
        m_optPortrait->setChecked(true);
    m_chkDefault->setChecked(m_bill.mIsDefault);
}

void mFrm_PageSetup::TxtCount_Change()
{
    applyChangeRule(*m_txtCount, DefaultRowCount);
}

void mFrm_PageSetup::TxtHeight_Change()
{
    applyChangeRule(*m_txtHeight, DefaultRowHeight);
}

void mFrm_PageSetup::OptPortrait_Click()
{
    m_image1->setVisible(m_optPortrait->isChecked());
    m_image2->setVisible(!m_optPortrait->isChecked());
}

void mFrm_PageSetup::OptLandScape_Click()
{
    m_image2->setVisible(m_optLandScape->isChecked());
    m_image1->setVisible(!m_optLandScape->isChecked());
}

bool mFrm_PageSetup::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtName && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, m_txtName, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}

void mFrm_PageSetup::CmdOK_Click()
{
    m_txtName->setText(m_txtName->text().trimmed());
    if (m_txtName->text().isEmpty()) {
        refuse(QStringLiteral("请输入单据名称！"), *m_txtName);
        return;
    }
    TxtCount_Change();
    TxtHeight_Change();
    double pageWidth = 0;
    double pageHeight = 0;
    if (!pageSizeAccepted(pageWidth, pageHeight) || !valuesAccepted())
        return;
    const int16_t rows = Units::toInt16(NumberText::value(m_txtCount->text()));
    const double rowHeight = fromMm(*m_txtHeight, m_shownRowHeight, false);
    const int16_t cols = Units::toInt16(NumberText::value(m_txtColCount->text()));
    const double colWidth = fromMm(*m_txtWidth, m_shownColWidth, true);
    // Cells that start past the page could never print what scrolls into
    // them.
    const ScrollGrid grid(m_bill, rows, rowHeight, cols, colWidth, QSizeF(pageWidth, pageHeight));
    if (const QString refusal = grid.refusal(); !refusal.isEmpty()) {
        refuse(refusal, grid.rowsFit() ? *m_txtColCount : *m_txtCount);
        return;
    }
    const std::optional<FormUnderlay> underlay = m_underlay->result(windowTitle());
    if (!underlay)
        return;
    const std::optional<QPointF> offset = m_offset->result(windowTitle());
    if (!offset)
        return;
    m_bill.Caption = m_txtName->text();
    m_bill.mObjs.page().setWidth(pageWidth);
    m_bill.mObjs.page().setHeight(pageHeight);
    m_bill.mrowcount = rows;
    m_bill.mRowHeight = rowHeight;
    m_bill.mcolcount = cols;
    m_bill.mColWidth = colWidth;
    m_bill.mBlnColFirst = m_chkColFirst->isChecked();
    m_bill.mLandScape = m_optLandScape->isChecked();
    m_bill.mIsDefault = m_chkDefault->isChecked();
    m_bill.mUnderlay = *underlay;
    m_bill.mOffsetLeft = offset->x();
    m_bill.mOffsetTop = offset->y();
    accept();
}

// A page is at least 1000 twips each way, as sizing it with its handles
// keeps it, holds every object shown on it, and is no larger than the
// designer can scroll through (32767 twips). A size typed in millimetres
// is rounded to the nearest twip: 241.0 mm is 13663 twips. A size left as
// it was shown is the page's own, whatever it is.
bool mFrm_PageSetup::pageSizeAccepted(double &width, double &height)
{
    const QSizeF extent = m_bill.mObjs.shownExtent();
    const auto accepted = [&](QLineEdit &box, const ShownLength &shown, bool horizontal,
                              double &twips) {
        if (shown.unchanged(box.text())) {
            twips = shown.value;
            return true;
        }
        twips = std::round(Units::mmToTwips(NumberText::value(box.text())));
        const QString name = horizontal ? QStringLiteral("页宽") : QStringLiteral("页高");
        const double objects = std::ceil(horizontal ? extent.width() : extent.height());
        QString refusal;
        if (twips < MinPageTwips)
            refusal = QStringLiteral("%1不能小于%2毫米！")
                          .arg(name, Units::formatMm(Units::twipsToMm(MinPageTwips)));
        else if (twips < objects)
            refusal = QStringLiteral("%1不能小于对象所占的%2（%3毫米）！")
                          .arg(name, horizontal ? QStringLiteral("宽度") : QStringLiteral("高度"),
                               Units::formatMm(Units::twipsToMm(objects)));
        else if (twips > MaxPageTwips)
            refusal = QStringLiteral("%1不能大于%2毫米！")
                          .arg(name, Units::formatMm(Units::twipsToMm(MaxPageTwips)));
        if (refusal.isEmpty())
            return true;
        refuse(refusal, box);
        return false;
    };
    return accepted(*m_labWidth, m_shownPageWidth, true, width)
           && accepted(*m_labHeight, m_shownPageHeight, false, height);
}

// Counts are 16-bit members and lengths cannot be negative nor longer than
// the largest page; a refused value is named and nothing is written.
bool mFrm_PageSetup::valuesAccepted()
{
    const auto longerThanAnyPage = [](const QLineEdit &box) {
        return !(Units::mmToTwips(NumberText::value(box.text())) <= Units::MaxLengthTwips);
    };
    const QString longest = Units::formatMm(Units::twipsToMm(Units::MaxLengthTwips));
    if (!isCount(NumberText::value(m_txtCount->text()))) {
        refuse(QStringLiteral("行数必须在0到32767之间！"), *m_txtCount);
        return false;
    }
    if (NumberText::value(m_txtHeight->text()) < 0) {
        refuse(QStringLiteral("行高不能为负数！"), *m_txtHeight);
        return false;
    }
    if (longerThanAnyPage(*m_txtHeight)) {
        refuse(QStringLiteral("行高不能大于%1毫米！").arg(longest), *m_txtHeight);
        return false;
    }
    if (!isCount(NumberText::value(m_txtColCount->text()))) {
        refuse(QStringLiteral("列数必须在0到32767之间！"), *m_txtColCount);
        return false;
    }
    if (NumberText::value(m_txtWidth->text()) < 0) {
        refuse(QStringLiteral("列宽不能为负数！"), *m_txtWidth);
        return false;
    }
    if (longerThanAnyPage(*m_txtWidth)) {
        refuse(QStringLiteral("列宽不能大于%1毫米！").arg(longest), *m_txtWidth);
        return false;
    }
    return true;
}

void mFrm_PageSetup::refuse(const QString &message, QLineEdit &box)
{
    Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, windowTitle());
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
}
