#include "mFrm_Prop.h"

#include "BarcodeFields.h"
#include "ColorSwatch.h"
#include "DialogParts.h"
#include "NumberText.h"
#include "TabStrip.h"

#include "model/BillTemplate.h"
#include "model/ObjDraw.h"

#include "print/DocumentMessages.h"
#include "print/FieldVocabulary.h"
#include "print/ValueFormat.h"
#include "print/FindListIndex.h"
#include "print/ReportedSlot.h"
#include "print/ShowErrMsg.h"

#include "platform/Dialogs.h"
#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

constexpr int MinLineWidth = 1;
constexpr int MaxLineWidth = 10;
// Code of the picture's "no border" entry of the style list.
constexpr int NoBorderStyle = 0;

using DialogParts::buddyLabel;
using DialogParts::fill;
using DialogParts::ListEntry;

constexpr ListEntry LineStyles[] = {
    {u"实线", Element::Solid},
    {u"虚线", Element::Dash},
    {u"点线", Element::Dot},
    {u"点划线", Element::DashDot},
    {u"双点划线", Element::DashDotDot},
};

constexpr ListEntry Alignments[] = {
    {u"左对齐", Element::LeftJustify},
    {u"居中", Element::Center},
    {u"右对齐", Element::RightJustify},
};

// Labels end at one edge, so their colons line up.
void addRow(QGridLayout &grid, int row, const QString &caption, QWidget *field)
{
    grid.addWidget(buddyLabel(caption, field), row, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid.addWidget(field, row, 1);
}

// A heading over a framed group of fields.
QWidget *headedGroup(const QString &heading, QLayout *fields)
{
    auto *frame = new QFrame;
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setLayout(fields);
    auto *group = new QWidget;
    auto *column = new QVBoxLayout(group);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(heading));
    column->addWidget(frame);
    return group;
}

template<typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Wide enough for a length like 1234.56 mm in the dialog's own font.
QLineEdit *lengthBox(const char *name)
{
    auto *box = named(new QLineEdit, name);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000.00")) + 12);
    return box;
}

QString fontTip(const ElementFont &font)
{
    return font.Name + QLatin1Char(' ') + Units::plainNumber(font.Size);
}

} // namespace

mFrm_Prop::mFrm_Prop(BillTemplate &bill, int scaleMode, QWidget *parent,
                     const DocumentFields::Lister &columns)
    : QDialog(parent)
    , m_bill(bill)
    , m_scaleMode(int16_t(scaleMode))
{
    setWindowTitle(QStringLiteral("对象属性："));

    // A tab strip over the pages rather than a tab widget: the tab rule
    // decides which page shows, and for a line or a picture the third tab
    // leaves the page that was shown.
    auto *strip = new TabStrip(this);
    m_tab1 = named(&strip->tabs(), "Tab1");
    m_tab1->addTab(QStringLiteral("大小/位置"));
    m_tab1->addTab(QStringLiteral("样式/颜色"));
    m_tab1->addTab(QStringLiteral("文字/效果"));
    m_tab1->setTabData(0, QStringLiteral("size/post"));
    m_tab1->setTabData(1, QStringLiteral("style/color"));
    m_tab1->setTabData(2, QStringLiteral("text"));
    m_pages = new QStackedLayout(&strip->clientArea());
    m_pages->setContentsMargins(0, 0, 0, 0);
    createSizePage();
    createStylePage();
    createTextPage();
    for (std::size_t i = 0; i < m_pic.size(); ++i) {
        m_pic[i]->setObjectName(QStringLiteral("Pic%1").arg(i));
        m_pages->addWidget(m_pic[i]);
    }

    // The short codes with their data types: never shown, read by Init and OK.
    m_cmbSave = named(new QComboBox(this), "CmbSave");
    m_cmbSave->hide();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(strip, 1);
    layout->addSpacing(layout->spacing());
    createButtons();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons);

    connectRules();
    LoadFieldCodes(columns);
}

void mFrm_Prop::createSizePage()
{
    m_pic[0] = new QWidget;
    m_txtLeft = lengthBox("TxtLeft");
    m_txtTop = lengthBox("TxtTop");
    m_txtWidth = lengthBox("TxtWidth");
    m_txtHeight = lengthBox("TxtHeight");

    auto *positionGrid = new QGridLayout;
    addRow(*positionGrid, 0, QStringLiteral("居左(&L):"), m_txtLeft);
    addRow(*positionGrid, 1, QStringLiteral("居上(&T):"), m_txtTop);
    auto *sizeGrid = new QGridLayout;
    addRow(*sizeGrid, 0, QStringLiteral("宽度(&W):"), m_txtWidth);
    addRow(*sizeGrid, 1, QStringLiteral("高度(&H):"), m_txtHeight);
    QWidget *position = headedGroup(QStringLiteral("位置(mm)："), positionGrid);
    QWidget *size = headedGroup(QStringLiteral("大小(mm)："), sizeGrid);

    m_chkLock = named(new QCheckBox(QStringLiteral("对象锁定(&O)")), "ChkLock");
    m_chkPrint = named(new QCheckBox(QStringLiteral("不打印此对象")), "ChkPrint");

    auto *grid = new QGridLayout(m_pic[0]);
    grid->addWidget(position, 0, 0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(m_chkLock, 1, 0);
    grid->addWidget(m_chkPrint, 1, 1);
    grid->setRowStretch(2, 1);

    for (QLineEdit *box : {m_txtLeft, m_txtTop, m_txtWidth, m_txtHeight})
        box->installEventFilter(this);
}

void mFrm_Prop::createStylePage()
{
    m_pic[1] = new QWidget;
    m_labColor = named(new ColorSwatch, "LabColor");
    m_cmbLineStyle = named(new QComboBox, "CmbLineStyle");
    fill(*m_cmbLineStyle, LineStyles);
    m_txtLineWidth = named(new QLineEdit(QStringLiteral("1")), "TxtLineWidth");
    m_txtLineWidth->setMaximumWidth(m_txtLineWidth->fontMetrics().horizontalAdvance(QStringLiteral("000"))
                                    + 16);
    m_vscrLineWidth = named(new QScrollBar(Qt::Vertical), "VScrLineWidth");
    m_vscrLineWidth->setRange(MinLineWidth, MaxLineWidth);
    m_vscrLineWidth->setFixedHeight(m_txtLineWidth->sizeHint().height());
    m_chkAutoSize = named(new QCheckBox(QStringLiteral("自动调整")), "ChkAutoSize");
    m_chkClip = named(new QCheckBox(QStringLiteral("自动裁减")), "ChkClip");

    m_labColor->setFixedSize(m_cmbLineStyle->sizeHint().height() * 3,
                             m_cmbLineStyle->sizeHint().height());

    auto *widthRow = new QHBoxLayout;
    widthRow->setSpacing(0);
    widthRow->addWidget(m_txtLineWidth);
    widthRow->addWidget(m_vscrLineWidth);
    widthRow->addSpacing(6);
    widthRow->addWidget(new QLabel(QStringLiteral("(像素)")));
    widthRow->addStretch();

    auto *grid = new QGridLayout(m_pic[1]);
    grid->addWidget(new QLabel(QStringLiteral("颜色：")), 0, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(m_labColor, 0, 1, Qt::AlignLeft);
    addRow(*grid, 1, QStringLiteral("边线(&L)："), m_cmbLineStyle);
    grid->addWidget(buddyLabel(QStringLiteral("线宽(&W)      ："), m_txtLineWidth), 2, 0,
                    Qt::AlignRight | Qt::AlignVCenter);
    grid->addLayout(widthRow, 2, 1);
    grid->addWidget(m_chkAutoSize, 3, 0, 1, 2);
    grid->addWidget(m_chkClip, 4, 0, 1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(5, 1);
}

void mFrm_Prop::createTextPage()
{
    m_pic[2] = new QWidget;
    m_cmbKey = named(new QComboBox, "CmbKey");
    m_txtCaption = named(new QPlainTextEdit, "TxtCaption");
    m_txtCaption->setTabChangesFocus(true);
    m_txtCaption->setFixedHeight(m_txtCaption->fontMetrics().lineSpacing() * 3 + 10);
    m_cmbFormat = named(new QComboBox, "CmbFormat");
    m_cmbFormat->setEditable(true);
    // The formats the program knows, to pick from; any other may be typed.
    m_cmbFormat->setInsertPolicy(QComboBox::NoInsert);
    m_cmbFormat->addItems(ValueFormat::Suggestions());
    m_cmbFormat->setCurrentIndex(-1);
    m_labFormat = named(buddyLabel(QStringLiteral("格式(&F)："), m_cmbFormat), "LabFormat");
    m_chkScroll = named(new QCheckBox(QStringLiteral("滚动打印")), "ChkScroll");
    m_chkSumPage = named(new QCheckBox(QStringLiteral("页内合计")), "ChkSumPage");
    m_chkSumAll = named(new QCheckBox(QStringLiteral("跨页合计")), "ChkSumAll");
    m_cmdFont = named(new QPushButton(QStringLiteral("字体(&F)")), "CmdFont");
    m_cmdFont->setAutoDefault(false);
    m_cmbAlign = named(new QComboBox, "CmbAlign");
    fill(*m_cmbAlign, Alignments);

    auto *text = new QGroupBox(QStringLiteral("文本："));
    auto *textGrid = new QGridLayout(text);
    textGrid->addWidget(buddyLabel(QStringLiteral("关键字(&K)："), m_cmbKey), 0, 0,
                        Qt::AlignRight | Qt::AlignVCenter);
    textGrid->addWidget(m_cmbKey, 0, 1, 1, 3);
    textGrid->addWidget(m_txtCaption, 1, 0, 1, 4);
    textGrid->addWidget(m_labFormat, 2, 0, Qt::AlignRight | Qt::AlignVCenter);
    textGrid->addWidget(m_cmbFormat, 2, 1, 1, 3);
    textGrid->addWidget(m_chkScroll, 3, 1);
    textGrid->addWidget(m_chkSumPage, 3, 2);
    textGrid->addWidget(m_chkSumAll, 3, 3);
    textGrid->setColumnStretch(3, 1);

    auto *look = new QGroupBox(QStringLiteral("样式："));
    auto *lookRow = new QHBoxLayout(look);
    lookRow->addWidget(m_cmdFont);
    lookRow->addSpacing(24);
    lookRow->addWidget(buddyLabel(QStringLiteral("对齐(&L)"), m_cmbAlign));
    lookRow->addWidget(m_cmbAlign);
    lookRow->addStretch();

    m_barcode = new BarcodeFields;
    m_barcode->moduleWidthBox().installEventFilter(this);

    auto *column = new QVBoxLayout(m_pic[2]);
    column->addWidget(text);
    column->addWidget(look);
    column->addWidget(m_barcode);
    column->addStretch();
}

void mFrm_Prop::createButtons()
{
    m_cmdOK = named(new QPushButton(QStringLiteral("确 定(&K)"), this), "CmdOK");
    m_cmdOK->setDefault(true);
    m_cmdCancel = named(new QPushButton(QStringLiteral("取 消(&A)"), this), "CmdCancel");
    m_cmdCancel->setAutoDefault(false);
}

// The rules follow value changes, so the changes Init makes run them too.
void mFrm_Prop::connectRules()
{
    connect(m_cmbKey, &QComboBox::currentIndexChanged, this,
            reportedSlot(this, &mFrm_Prop::CmbKey_Click));
    connect(m_chkScroll, &QCheckBox::toggled, this, reportedSlot(this, &mFrm_Prop::ChkScroll_Click));
    connect(m_chkSumAll, &QCheckBox::toggled, this, reportedSlot(this, &mFrm_Prop::ChkSumAll_Click));
    connect(m_chkSumPage, &QCheckBox::toggled, this,
            reportedSlot(this, &mFrm_Prop::ChkSumPage_Click));
    connect(m_chkAutoSize, &QCheckBox::toggled, this,
            reportedSlot(this, &mFrm_Prop::ChkAutoSize_Click));
    connect(m_chkClip, &QCheckBox::toggled, this, reportedSlot(this, &mFrm_Prop::ChkClip_Click));
    // Held to its range when editing finishes, not per keystroke, so a
    // cleared box takes the digit typed next.
    connect(m_txtLineWidth, &QLineEdit::editingFinished, this,
            reportedSlot(this, &mFrm_Prop::TxtLineWidth_Change));
    connect(m_vscrLineWidth, &QScrollBar::actionTriggered, this,
            reportedSlot(this, &mFrm_Prop::VScrLineWidth_Step));
    connect(m_vscrLineWidth, &QScrollBar::valueChanged, this,
            reportedSlot(this, &mFrm_Prop::VScrLineWidth_Change));
    connect(m_tab1, &QTabBar::currentChanged, this, reportedSlot(this, &mFrm_Prop::Tab1_Click));
    connect(m_labColor, &ColorSwatch::doubleClicked, this,
            reportedSlot(this, &mFrm_Prop::LabColor_DblClick));
    connect(m_cmdFont, &QPushButton::clicked, this, reportedSlot(this, &mFrm_Prop::CmdFont_Click));
    connect(m_cmdOK, &QPushButton::clicked, this, reportedSlot(this, &mFrm_Prop::CmdOK_Click));
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// A source that cannot be read leaves the five entries: the dialog still
// edits everything else, and a binding it cannot show is kept.
void mFrm_Prop::LoadFieldCodes(const DocumentFields::Lister &columns)
{
    const auto &entries = FieldVocabulary::Entries();
    for (const FieldCode &entry : entries)
        m_cmbKey->addItem(entry.Text);
    for (std::size_t i = 1; i < entries.size(); ++i)
        m_cmbSave->addItem(entries[i].Code, entries[i].DataType);
    FieldColumns found;
    try {
        if (columns)
            found = columns(m_bill.mScreenID);
    } catch (const RuntimeError &error) {
        ShowErrMsg(DocumentMessages::FieldsUnavailable(error));
    }
    for (const FieldCode &entry : FieldVocabulary::DataEntries(found.header, found.detail)) {
        m_cmbKey->addItem(FieldVocabulary::ShownText(entry), entry.Text);
        m_cmbSave->addItem(entry.Code, entry.DataType);
    }
    m_cmbKey->setCurrentIndex(-1);
}

ObjDraw &mFrm_Prop::object() const
{
    const auto &obj = m_bill.mObjs.Item(ObjDraw::KeyOf(m_objectID));
    if (!obj)
        throw RuntimeError(RuntimeError::ObjectNotSet);
    return *obj;
}

Element &mFrm_Prop::control() const
{
    return object().requireCtl();
}

void mFrm_Prop::showLength(QLineEdit &box, ShownLength &shown, double value, bool horizontal)
{
    const double mm = ScaleConversion::convert(value, m_scaleMode, ScaleConversion::Millimeters,
                                               horizontal);
    shown.text = Units::formatMm(mm);
    shown.value = value;
    box.setText(shown.text);
}

double mFrm_Prop::readLength(const QLineEdit &box, const ShownLength &shown, bool horizontal) const
{
    if (shown.unchanged(box.text()))
        return shown.value;
    return ScaleConversion::convert(NumberText::value(box.text()), ScaleConversion::Millimeters,
                                    m_scaleMode, horizontal);
}

void mFrm_Prop::Init()
{
    m_objectID = int16_t(m_bill.mObjs.nCurID());
    ObjDraw &obj = object();
    m_kind = obj.eType();
    if (m_kind != ObjDraw::Line && m_kind != ObjDraw::Text && m_kind != ObjDraw::Picture)
        throw RuntimeError(RuntimeError::InvalidArgument);
    Element &ctl = control();

    m_chkLock->setChecked(obj.Locked());
    m_chkPrint->setChecked(!obj.Printed());

    if (m_kind == ObjDraw::Line) {
        showLength(*m_txtWidth, m_shownWidth, std::fabs(ctl.x2() - ctl.x1()), true);
        showLength(*m_txtHeight, m_shownHeight, std::fabs(ctl.y2() - ctl.y1()), false);
        showLength(*m_txtLeft, m_shownLeft, std::min(ctl.x1(), ctl.x2()), true);
        showLength(*m_txtTop, m_shownTop, std::min(ctl.y1(), ctl.y2()), false);
    } else {
        showLength(*m_txtWidth, m_shownWidth, ctl.Width(), true);
        showLength(*m_txtHeight, m_shownHeight, ctl.Height(), false);
        showLength(*m_txtTop, m_shownTop, ctl.Top(), false);
        showLength(*m_txtLeft, m_shownLeft, ctl.Left(), true);
    }

    switch (m_kind) {
    case ObjDraw::Line:
        initLine(ctl);
        break;
    case ObjDraw::Picture:
        initPicture(obj, ctl);
        break;
    default:
        initText(obj, ctl);
        break;
    }

    m_txtLineWidth->setEnabled(m_cmbLineStyle->isEnabled());
    m_vscrLineWidth->setEnabled(m_txtLineWidth->isEnabled());
    Tab1_Click();
}

void mFrm_Prop::selectByCode(QComboBox &list, int code)
{
    list.setCurrentIndex(FindListIndex(list, QString::number(code), true));
}

void mFrm_Prop::initLine(const Element &line)
{
    m_labColor->setColor(line.BorderColor());
    selectByCode(*m_cmbLineStyle, line.BorderStyle());
    m_txtLineWidth->setText(QString::number(line.BorderWidth()));
    TxtLineWidth_Change();
    m_cmbLineStyle->setEnabled(true);
    m_chkAutoSize->setEnabled(false);
    m_chkClip->setEnabled(false);
}

void mFrm_Prop::initPicture(const ObjDraw &obj, const Element &image)
{
    m_cmbLineStyle->insertItem(0, QStringLiteral("（无）"), NoBorderStyle);
    m_labColor->setColor(ObjDraw::colorFromRgbValue(obj.FColor()));
    m_cmbLineStyle->setEnabled(true);
    selectByCode(*m_cmbLineStyle, obj.BStyle());
    m_txtLineWidth->setText(QString::number(obj.BWidth()));
    TxtLineWidth_Change();
    m_chkClip->setEnabled(false);
    m_chkAutoSize->setEnabled(true);
    m_chkAutoSize->setChecked(image.Stretch());
    m_chkClip->setChecked(image.BorderStyle() == Element::FixedSingle);
}

void mFrm_Prop::initText(const ObjDraw &obj, const Element &label)
{
    m_labColor->setColor(label.ForeColor());
    m_cmbLineStyle->setEnabled(false);
    m_chkClip->setEnabled(true);
    m_chkAutoSize->setEnabled(true);
    selectByCode(*m_cmbAlign, label.Alignment());
    m_labTmp = label.Font();
    m_cmdFont->setToolTip(fontTip(m_labTmp));
    m_chkClip->setChecked(obj.Clip());
    m_chkAutoSize->setChecked(label.AutoSize());
    m_barcode->setLook(obj.Barcode());
    if (obj.IsFix()) {
        m_cmbKey->setCurrentIndex(0);
        m_txtCaption->setPlainText(label.Caption());
        m_txtCaption->setEnabled(true);
        m_cmbFormat->setEnabled(false);
        return;
    }
    m_txtCaption->clear();
    m_txtCaption->setEnabled(false);
    m_cmbFormat->setEnabled(true);
    m_cmbKey->setCurrentIndex(fieldEntryOf(label.Tag()));
    if (!m_chkAutoSize->isChecked())
        m_chkClip->setChecked(obj.Clip());
    if (obj.IsScroll()) {
        m_chkScroll->setChecked(true);
    } else if (obj.Sumed()) {
        m_chkSumPage->setChecked(obj.SumedPage());
        m_chkSumAll->setChecked(!m_chkSumPage->isChecked());
    }
    m_cmbFormat->setEditText(obj.Format());
}

// The field entry of a short code. The list search reads a key that begins
// with a number as an item value, so a Tag such as "2" would find the data
// type 2; only the entry whose code is the Tag itself counts.
// A document column's entry shows more than its text; the text is what a
// caption holds.
QString mFrm_Prop::entryText(int entry) const
{
    const QVariant text = m_cmbKey->itemData(entry);
    return text.isValid() ? text.toString() : m_cmbKey->itemText(entry);
}

int mFrm_Prop::fieldEntryOf(const QString &tag) const
{
    const int i = FindListIndex(*m_cmbSave, tag, false);
    if (i < 0 || m_cmbSave->itemText(i) != tag)
        return -1;
    return i + 1;
}

void mFrm_Prop::CmbKey_Click()
{
    const bool bound = m_cmbKey->currentText() != FieldVocabulary::FixedText;
    for (QWidget *element : std::initializer_list<QWidget *>{m_chkScroll, m_chkSumAll, m_chkSumPage,
                                                             m_cmbFormat, m_labFormat})
        element->setEnabled(bound);
    m_txtCaption->setEnabled(!bound);
}

void mFrm_Prop::ChkScroll_Click()
{
    const bool sums = !m_chkScroll->isChecked();
    for (QCheckBox *sum : {m_chkSumAll, m_chkSumPage}) {
        sum->setEnabled(sums);
        if (!sums)
            sum->setChecked(false);
    }
}

void mFrm_Prop::ChkSumAll_Click()
{
    if (m_chkSumAll->isChecked())
        m_chkSumPage->setChecked(false);
}

void mFrm_Prop::ChkSumPage_Click()
{
    if (m_chkSumPage->isChecked())
        m_chkSumAll->setChecked(false);
}

void mFrm_Prop::ChkAutoSize_Click()
{
    if (m_chkAutoSize->isChecked())
        m_chkClip->setChecked(false);
}

void mFrm_Prop::ChkClip_Click()
{
    if (m_chkClip->isChecked() && m_kind == ObjDraw::Text)
        m_chkAutoSize->setChecked(false);
}

// The width is held to the spinner's range; 0 (or no number) is 1.
void mFrm_Prop::TxtLineWidth_Change()
{
    double v = NumberText::value(m_txtLineWidth->text());
    if (v == 0)
        v = MinLineWidth;
    v = std::clamp(v, double(MinLineWidth), double(MaxLineWidth));
    const QString text = Units::plainNumber(v);
    if (m_txtLineWidth->text() != text)
        m_txtLineWidth->setText(text);
    m_vscrLineWidth->setValue(int(Units::roundHalfEven(v)));
}

// The scroll bar serves as a spinner: its upper arrow (and Up, and the
// wheel turned away) widens the line, where a scroll bar would go down.
void mFrm_Prop::VScrLineWidth_Step(int action)
{
    const int step = m_vscrLineWidth->singleStep();
    if (action == QAbstractSlider::SliderSingleStepSub)
        m_vscrLineWidth->setSliderPosition(m_vscrLineWidth->value() + step);
    else if (action == QAbstractSlider::SliderSingleStepAdd)
        m_vscrLineWidth->setSliderPosition(m_vscrLineWidth->value() - step);
}

void mFrm_Prop::VScrLineWidth_Change()
{
    m_txtLineWidth->setText(QString::number(m_vscrLineWidth->value()));
}

void mFrm_Prop::Tab1_Click()
{
    const int n = m_tab1->currentIndex() + 1;
    if (m_kind != ObjDraw::Text && n == TextTab)
        return;
    m_pages->setCurrentIndex(n - 1);
    for (std::size_t i = 0; i < m_pic.size(); ++i)
        m_pic[i]->setVisible(int(i) == n - 1);
}

void mFrm_Prop::LabColor_DblClick()
{
    if (const auto color = Platform::dialogs().ChooseColor(m_labColor->color()))
        m_labColor->setColor(*color);
}

void mFrm_Prop::CmdFont_Click()
{
    const auto chosen = Platform::dialogs().ChooseFont(FontChoice{m_labTmp, m_labColor->color()});
    if (!chosen)
        return;
    m_labTmp.Name = chosen->Font.Name;
    m_labTmp.Size = chosen->Font.Size;
    m_labTmp.Bold = chosen->Font.Bold;
    m_labTmp.Italic = chosen->Font.Italic;
    m_labTmp.Underline = chosen->Font.Underline;
    m_labColor->setColor(chosen->Color);
    m_cmdFont->setToolTip(fontTip(m_labTmp));
}

bool mFrm_Prop::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (box && event->type() == QEvent::FocusIn) {
        // After the press that gave the focus has placed the cursor.
        QTimer::singleShot(0, box, &QLineEdit::selectAll);
    } else if (box && event->type() == QEvent::FocusOut) {
        box->setText(NumberText::normalised(box->text()));
    }
    return QDialog::eventFilter(watched, event);
}

void mFrm_Prop::CmdOK_Click()
{
    TxtLineWidth_Change();
    if (!geometryAccepted() || !barcodeAccepted())
        return;
    try {
        SaveProp();
    } catch (const RuntimeError &) {
        ShowErrMsg(QStringLiteral("设置属性失败！"));
    }
    accept();
}

QRectF mFrm_Prop::typedGeometry() const
{
    return QRectF(readLength(*m_txtLeft, m_shownLeft, true),
                  readLength(*m_txtTop, m_shownTop, false),
                  readLength(*m_txtWidth, m_shownWidth, true),
                  readLength(*m_txtHeight, m_shownHeight, false));
}

// Only what was typed is judged: an object keeps whatever geometry the
// designer gave it when its boxes are left alone.
bool mFrm_Prop::geometryAccepted()
{
    for (QLineEdit *box : {m_txtLeft, m_txtTop, m_txtWidth, m_txtHeight})
        box->setText(NumberText::normalised(box->text()));
    const QRectF box = typedGeometry();
    const PageSurface &page = m_bill.mObjs.page();
    const double pageWidth = ScaleConversion::convert(page.Width(), ScaleConversion::Twips,
                                                      m_scaleMode, true);
    const double pageHeight = ScaleConversion::convert(page.Height(), ScaleConversion::Twips,
                                                       m_scaleMode, false);
    const bool leftTyped = !m_shownLeft.unchanged(m_txtLeft->text());
    const bool topTyped = !m_shownTop.unchanged(m_txtTop->text());
    const bool sizeTyped = !m_shownWidth.unchanged(m_txtWidth->text())
                           || !m_shownHeight.unchanged(m_txtHeight->text());

    if (leftTyped && !(box.left() >= 0 && box.left() <= pageWidth)) {
        refuse(QStringLiteral("居左超出页面范围！"), *m_txtLeft);
        return false;
    }
    if (topTyped && !(box.top() >= 0 && box.top() <= pageHeight)) {
        refuse(QStringLiteral("居上超出页面范围！"), *m_txtTop);
        return false;
    }
    if (!sizeTyped)
        return true;
    if (m_kind == ObjDraw::Line) {
        if (box.width() < 0) {
            refuse(QStringLiteral("宽度不能小于0！"), *m_txtWidth);
            return false;
        }
        if (box.height() < 0) {
            refuse(QStringLiteral("高度不能小于0！"), *m_txtHeight);
            return false;
        }
        if (box.width() == 0 && box.height() == 0) {
            refuse(QStringLiteral("宽度和高度不能同时为0！"), *m_txtWidth);
            return false;
        }
        return true;
    }
    if (!(box.width() > 0)) {
        refuse(QStringLiteral("宽度必须大于0！"), *m_txtWidth);
        return false;
    }
    if (!(box.height() > 0)) {
        refuse(QStringLiteral("高度必须大于0！"), *m_txtHeight);
        return false;
    }
    return true;
}

bool mFrm_Prop::barcodeAccepted()
{
    if (m_kind != ObjDraw::Text)
        return true;
    QLineEdit &box = m_barcode->moduleWidthBox();
    box.setText(NumberText::normalised(box.text()));
    const QString problem = m_barcode->moduleWidthProblem();
    if (problem.isEmpty())
        return true;
    Platform::dialogs().MsgBox(problem, MsgButtons::OK, MsgIcon::Exclamation, windowTitle());
    m_tab1->setCurrentIndex(TextTab - 1);
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
    return false;
}

void mFrm_Prop::refuse(const QString &message, QLineEdit &box)
{
    Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, windowTitle());
    m_tab1->setCurrentIndex(SizeTab - 1);
    box.setFocus(Qt::OtherFocusReason);
    box.selectAll();
}

void mFrm_Prop::SaveProp()
{
    ObjDraw &obj = object();
    Element &ctl = control();
    const QRectF box = typedGeometry();
    switch (m_kind) {
    case ObjDraw::Line:
        saveLine(ctl, box);
        break;
    case ObjDraw::Picture:
        savePicture(obj, ctl, box);
        break;
    default:
        saveText(obj, ctl, box);
        break;
    }
    if (obj.EditFlag() == ObjDraw::Saved)
        obj.setEditFlag(ObjDraw::Changed);
    obj.setLocked(m_chkLock->isChecked());
    obj.setPrinted(!m_chkPrint->isChecked());
    obj.MoveHd();
}

int mFrm_Prop::lineWidth() const
{
    const double v = Units::roundHalfEven(NumberText::value(m_txtLineWidth->text()));
    return int(std::clamp(v, double(MinLineWidth), double(MaxLineWidth)));
}

// The new box goes onto the ends in their own order, so the line keeps
// the direction it was drawn in.
void mFrm_Prop::saveLine(Element &line, const QRectF &box)
{
    const bool leftward = line.x1() > line.x2();
    const bool upward = line.y1() > line.y2();
    line.setLine(leftward ? box.right() : box.left(), upward ? box.bottom() : box.top(),
                 leftward ? box.left() : box.right(), upward ? box.top() : box.bottom());
    line.setBorderColor(m_labColor->color());
    line.setBorderWidth(lineWidth());
    // A style the list does not offer stays as it was.
    if (m_cmbLineStyle->currentIndex() >= 0)
        line.setBorderStyle(m_cmbLineStyle->currentData().toInt());
}

void mFrm_Prop::savePicture(ObjDraw &obj, Element &image, const QRectF &box)
{
    image.Move(box.left(), box.top(), box.width(), box.height());
    image.setStretch(m_chkAutoSize->isChecked());
    if (m_cmbLineStyle->currentIndex() >= 0) {
        const int code = m_cmbLineStyle->currentData().toInt();
        image.setBorderStyle(code == NoBorderStyle ? Element::NoBorder : Element::FixedSingle);
        obj.setBStyle(code);
    }
    obj.setBWidth(lineWidth());
    obj.setFColor(ObjDraw::rgbValueFromColor(m_labColor->color()));
}

void mFrm_Prop::saveText(ObjDraw &obj, Element &label, const QRectF &box)
{
    label.Move(box.left(), box.top(), box.width(), box.height());
    // Before the caption and auto-size: a code keeps the box just given.
    obj.setBarcode(m_barcode->look());
    label.setForeColor(m_labColor->color());
    if (m_cmbAlign->currentIndex() >= 0)
        label.setAlignment(m_cmbAlign->currentData().toInt());
    const bool fixed = m_cmbKey->currentText() == FieldVocabulary::FixedText;
    // No entry chosen: a bound text whose code the list does not know keeps
    // its binding.
    const int entry = m_cmbKey->currentIndex();
    if (fixed) {
        const QString caption = m_txtCaption->toPlainText();
        label.setCaption(caption);
        label.setTag(caption);
    } else if (entry > 0) {
        label.setCaption(entryText(entry));
        label.setTag(m_cmbSave->itemText(entry - 1));
    }
    ElementFont font = label.Font();
    font.Name = m_labTmp.Name;
    font.Size = m_labTmp.Size;
    font.Bold = m_labTmp.Bold;
    font.Italic = m_labTmp.Italic;
    font.Underline = m_labTmp.Underline;
    label.setFont(font);
    label.setAutoSize(m_chkAutoSize->isChecked());
    obj.setIsFix(fixed);
    if (!m_chkAutoSize->isChecked())
        obj.setClip(m_chkClip->isChecked());
    if (fixed)
        return;
    if (entry > 0)
        obj.setDataType(m_cmbSave->itemData(entry - 1).toInt());
    obj.setIsScroll(m_chkScroll->isChecked());
    obj.setSumedPage(m_chkSumPage->isChecked());
    obj.setSumed(m_chkSumPage->isChecked() || m_chkSumAll->isChecked());
    const QString text =
        entry > 0 ? entryText(entry) : FieldVocabulary::EntryTextOf(label.Caption());
    label.setCaption(FieldVocabulary::Marker(obj) + text);
    obj.setFormat(m_cmbFormat->currentText());
    label.setToolTipText(m_cmbFormat->currentText());
}
