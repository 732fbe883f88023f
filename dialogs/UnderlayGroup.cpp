#include "UnderlayGroup.h"

#include "DialogParts.h"
#include "NumberText.h"

#include "print/ReportedSlot.h"

#include "platform/Dialogs.h"
#include "platform/PictureCodec.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/UnderlayFile.h"
#include "platform/Units.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace {

enum PlaceField { Left, Top, Width, Height };
const char *const PlaceNames[] = {"TxtUnderlayLeft", "TxtUnderlayTop", "TxtUnderlayWidth",
                                  "TxtUnderlayHeight"};
const char *const PlaceLabels[] = {"左：", "上：", "宽：", "高：" };
const QString NoFile = QStringLiteral("（无）");

double valueOf(const QRectF &place, int field)
{
    switch (field) {
    case Left:
        return place.left();
    case Top:
        return place.top();
    case Width:
        return place.width();
    default:
        return place.height();
    }
}

} // namespace

UnderlayGroup::UnderlayGroup(const FormUnderlay &underlay, const QSizeF &page, QWidget *parent)
    : QGroupBox(QStringLiteral("底图（设计时垫在页面下，不打印）"), parent)
    , m_underlay(underlay)
    , m_page(page)
{
    setObjectName(QStringLiteral("GrpUnderlay"));
    createElements();
    layOut();
    if (!m_underlay.isEmpty()) {
        try {
            m_file = std::make_unique<UnderlayFile>(m_underlay.Data, m_underlay.FileName);
        } catch (const RuntimeError &) {
            // Kept as stored; only its page cannot be chosen.
        }
    }
    showUnderlay();
}

UnderlayGroup::~UnderlayGroup() = default;

void UnderlayGroup::createElements()
{
    m_labFile = new QLabel(NoFile);
    m_labFile->setObjectName(QStringLiteral("LabUnderlayFile"));
    m_labFile->setMinimumWidth(m_labFile->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
    m_cmdChoose = new QPushButton(QStringLiteral("选择(&I)..."));
    m_cmdChoose->setObjectName(QStringLiteral("CmdUnderlayChoose"));
    m_cmdChoose->setAutoDefault(false);
    m_cmdRemove = new QPushButton(QStringLiteral("移除(&M)"));
    m_cmdRemove->setObjectName(QStringLiteral("CmdUnderlayRemove"));
    m_cmdRemove->setAutoDefault(false);
    m_txtPage = new QSpinBox;
    m_txtPage->setObjectName(QStringLiteral("TxtUnderlayPage"));
    m_labPages = new QLabel;
    m_labPages->setObjectName(QStringLiteral("LabUnderlayPages"));
    m_txtOpacity = new QSpinBox;
    m_txtOpacity->setObjectName(QStringLiteral("TxtUnderlayOpacity"));
    m_txtOpacity->setRange(FormUnderlay::MinOpacity, FormUnderlay::MaxOpacity);
    m_txtOpacity->setSingleStep(10);
    m_txtOpacity->setSuffix(QStringLiteral(" %"));
    for (int i = 0; i < 4; ++i) {
        m_txtPlace[i] = new QLineEdit;
        m_txtPlace[i]->setObjectName(QLatin1String(PlaceNames[i]));
        m_txtPlace[i]->setMinimumWidth(
            m_txtPlace[i]->fontMetrics().horizontalAdvance(QStringLiteral("00000.00")) + 12);
    }
    connect(m_cmdChoose, &QPushButton::clicked, this,
            reportedSlot(this, &UnderlayGroup::chooseFile));
    connect(m_cmdRemove, &QPushButton::clicked, this,
            reportedSlot(this, &UnderlayGroup::removeFile));
    connect(m_txtPage, &QSpinBox::valueChanged, this,
            reportedSlot(this, &UnderlayGroup::pageChanged));
}

void UnderlayGroup::layOut()
{
    using DialogParts::buddyLabel;
    const Qt::Alignment labelAlignment = Qt::AlignRight | Qt::AlignVCenter;
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("文件：")));
    fileRow->addWidget(m_labFile, 1);
    fileRow->addWidget(m_cmdChoose);
    fileRow->addWidget(m_cmdRemove);

    auto *grid = new QGridLayout;
    grid->addWidget(buddyLabel(QStringLiteral("PDF 页(&G)："), m_txtPage), 0, 0, labelAlignment);
    auto *pageRow = new QHBoxLayout;
    pageRow->addWidget(m_txtPage);
    pageRow->addWidget(m_labPages, 1);
    grid->addLayout(pageRow, 0, 1);
    grid->addWidget(buddyLabel(QStringLiteral("不透明度(&Y)："), m_txtOpacity), 0, 3,
                    labelAlignment);
    grid->addWidget(m_txtOpacity, 0, 4);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(buddyLabel(QString::fromUtf8(PlaceLabels[i]), m_txtPlace[i]), 1 + i / 2,
                        (i % 2) * 3, labelAlignment);
        grid->addWidget(m_txtPlace[i], 1 + i / 2, (i % 2) * 3 + 1);
    }
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addLayout(grid);
}

void UnderlayGroup::showUnderlay()
{
    const bool any = !m_underlay.isEmpty();
    m_labFile->setText(any ? m_underlay.FileName : NoFile);
    m_labFile->setToolTip(any ? m_underlay.FileName : QString());
    m_cmdRemove->setEnabled(any);
    const int pages = m_file ? m_file->pageCount() : 1;
    {
        const QSignalBlocker block(m_txtPage);
        m_txtPage->setRange(1, std::max(1, pages));
        m_txtPage->setValue(m_underlay.Page);
    }
    m_txtPage->setEnabled(m_file && m_file->isPdf());
    m_labPages->setText(m_file && m_file->isPdf() ? QStringLiteral("共 %1 页").arg(pages)
                                                  : QString());
    m_txtOpacity->setValue(m_underlay.Opacity);
    m_txtOpacity->setEnabled(any);
    showPlace(m_underlay.Place);
    for (QLineEdit *box : m_txtPlace)
        box->setEnabled(any);
}

void UnderlayGroup::showPlace(const QRectF &place)
{
    for (int i = 0; i < 4; ++i) {
        const double twips = valueOf(place, i);
        m_shown[i] = {Units::formatMm(Units::twipsToMm(twips)), twips};
        m_txtPlace[i]->setText(m_underlay.isEmpty() ? QString() : m_shown[i].text);
    }
}

// At its size on paper from topLeft, or over the whole page when the file
// records no size.
QRectF UnderlayGroup::placeOf(const UnderlayFile &file, int page, const QPointF &topLeft) const
{
    if (const std::optional<QSizeF> paper = file.paperSize(page))
        return QRectF(topLeft, *paper);
    return QRectF(QPointF(0, 0), m_page);
}

void UnderlayGroup::chooseFile()
{
    FileDialogRequest request;
    request.title = QStringLiteral("选择底图");
    request.filter = UnderlayFile::filter();
    const std::optional<QString> chosen = Platform::dialogs().OpenFile(request);
    if (!chosen || chosen->isEmpty())
        return;
    const auto tell = [this](const QString &message) {
        Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation,
                                   window()->windowTitle());
    };
    QByteArray bytes;
    try {
        bytes = PictureCodec::readFile(*chosen);
    } catch (const RuntimeError &) {
        tell(QStringLiteral("读不出文件“%1”。").arg(*chosen));
        return;
    }
    std::unique_ptr<UnderlayFile> file;
    try {
        file = std::make_unique<UnderlayFile>(bytes, *chosen);
    } catch (const RuntimeError &e) {
        tell(e.Description());
        return;
    }
    FormUnderlay underlay;
    underlay.Data = bytes;
    underlay.FileName = QFileInfo(*chosen).fileName();
    underlay.Opacity = m_underlay.isEmpty() ? FormUnderlay::DefaultOpacity : m_txtOpacity->value();
    underlay.Place = placeOf(*file, 1, QPointF(0, 0));
    m_underlay = underlay;
    m_file = std::move(file);
    showUnderlay();
}

void UnderlayGroup::removeFile()
{
    m_underlay = FormUnderlay();
    m_file.reset();
    showUnderlay();
}

// Another page of the PDF keeps its top left and takes its own size.
void UnderlayGroup::pageChanged(int page)
{
    if (!m_file || page == m_underlay.Page)
        return;
    m_underlay.Page = page;
    const QPointF topLeft(m_shown[Left].unchanged(m_txtPlace[Left]->text())
                              ? m_shown[Left].value
                              : Units::mmToTwips(NumberText::value(m_txtPlace[Left]->text())),
                          m_shown[Top].unchanged(m_txtPlace[Top]->text())
                              ? m_shown[Top].value
                              : Units::mmToTwips(NumberText::value(m_txtPlace[Top]->text())));
    m_underlay.Place = placeOf(*m_file, page, topLeft);
    showPlace(m_underlay.Place);
}

std::optional<FormUnderlay> UnderlayGroup::result(const QString &title)
{
    if (m_underlay.isEmpty())
        return FormUnderlay();
    double twips[4];
    for (int i = 0; i < 4; ++i) {
        const QString text = m_txtPlace[i]->text();
        twips[i] = m_shown[i].unchanged(text) ? m_shown[i].value
                                              : Units::mmToTwips(NumberText::value(text));
    }
    if (twips[Width] <= 0) {
        refuse(QStringLiteral("底图的宽必须大于 0！"), title, *m_txtPlace[Width]);
        return std::nullopt;
    }
    if (twips[Height] <= 0) {
        refuse(QStringLiteral("底图的高必须大于 0！"), title, *m_txtPlace[Height]);
        return std::nullopt;
    }
    FormUnderlay underlay = m_underlay;
    underlay.Opacity = m_txtOpacity->value();
    underlay.Place = QRectF(twips[Left], twips[Top], twips[Width], twips[Height]);
    return underlay;
}

void UnderlayGroup::refuse(const QString &message, const QString &title, QWidget &field)
{
    Platform::dialogs().MsgBox(message, MsgButtons::OK, MsgIcon::Exclamation, title);
    field.setFocus(Qt::OtherFocusReason);
    if (auto *box = qobject_cast<QLineEdit *>(&field))
        box->selectAll();
}
