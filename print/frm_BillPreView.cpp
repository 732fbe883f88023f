#include "frm_BillPreView.h"

#include "print/Mod_Print.h"
#include "print/PagePicture.h"
#include "print/PreviewIcons.h"
#include "print/ReportedSlot.h"
#include "print/TemplatePrinter.h"

#include "model/BillTemplate.h"

#include "platform/Dialogs.h"
#include "platform/Platform.h"

#include "platform/PointerShape.h"
#include "platform/RuntimeError.h"
#include "platform/Screen.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>

#include <cmath>

namespace {

// Where the view starts in the window (twips); the buttons sit above it.
constexpr double ViewLeft = 120;
constexpr double ViewTop = 600;
constexpr double ButtonSize = 450;
// The pictures are drawn on a 16 x 16 grid: shown at that size they stay crisp.
const QSize IconSize(16, 16);
const QString Caption = QStringLiteral("打印预览");
// A demonstration run says so, so nobody takes its data for the document
// asked for.
const QString DemoMark = QStringLiteral("演示数据");

int px(double twips, double twipsPerPixel)
{
    return int(std::lround(twips / twipsPerPixel));
}

QToolButton *makeButton(QWidget *parent, PreviewIcons::Kind kind, const QString &tip)
{
    auto *button = new QToolButton(parent);
    button->setIcon(PreviewIcons::icon(kind));
    button->setIconSize(IconSize);
    button->setToolTip(tip);
    button->setAutoRaise(true);
    return button;
}

} // namespace

frm_BillPreView::frm_BillPreView(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(Caption);
    setSizeGripEnabled(true);
    cmdPageFirst = makeButton(this, PreviewIcons::Kind::First, QStringLiteral("第一页"));
    cmdPageUp = makeButton(this, PreviewIcons::Kind::Previous, QStringLiteral("前一页"));
    cmdPageDown = makeButton(this, PreviewIcons::Kind::Next, QStringLiteral("后一页"));
    cmdPageLast = makeButton(this, PreviewIcons::Kind::Last, QStringLiteral("最后一页"));
    cmdPrint = makeButton(this, PreviewIcons::Kind::Print, QStringLiteral("打印"));
    cmdPrintSetup = makeButton(this, PreviewIcons::Kind::PrintSetup, QStringLiteral("打印设置"));
    cmdUnderlay = makeButton(this, PreviewIcons::Kind::Underlay, QStringLiteral("底图"));
    cmdUnderlay->setCheckable(true);
    cmdClose = makeButton(this, PreviewIcons::Kind::Close, QStringLiteral("关闭"));
    cmdPageFirst->setObjectName(QStringLiteral("cmdPageFirst"));
    cmdPageUp->setObjectName(QStringLiteral("cmdPageUp"));
    cmdPageDown->setObjectName(QStringLiteral("cmdPageDown"));
    cmdPageLast->setObjectName(QStringLiteral("cmdPageLast"));
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrintSetup->setObjectName(QStringLiteral("cmdPrintSetup"));
    cmdUnderlay->setObjectName(QStringLiteral("cmdUnderlay"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    labPage = new QLabel(QStringLiteral("第 1 页 共 1 页"), this);
    labPage->setObjectName(QStringLiteral("labPage"));
    labPage->setFont(QFont(QStringLiteral("宋体"), 10));

    pictView = new QWidget(this);
    pictView->setObjectName(QStringLiteral("pictView"));
    pictView->setAutoFillBackground(true);
    QPalette palette = pictView->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    pictView->setPalette(palette);
    pictView->installEventFilter(this);
    pictMain = new PagePicture(pictView);
    pictMain->setObjectName(QStringLiteral("pictMain"));
    HS = new QScrollBar(Qt::Horizontal, pictView);
    VS = new QScrollBar(Qt::Vertical, pictView);
    HS->setObjectName(QStringLiteral("HS"));
    VS->setObjectName(QStringLiteral("VS"));
    for (QScrollBar *bar : {HS, VS}) {
        bar->setSingleStep(100);
        bar->setPageStep(1000);
        bar->hide();
    }

    const double tpp = tx();
    int x = px(ViewLeft, tpp);
    for (QToolButton *b : {cmdPageFirst, cmdPageUp, cmdPageDown, cmdPageLast, cmdPrint,
                           cmdPrintSetup, cmdUnderlay, cmdClose}) {
        b->setGeometry(x, px(60, ty()), px(ButtonSize, tpp), px(ButtonSize, ty()));
        x += px(ButtonSize + 30, tpp);
    }
    labPage->setGeometry(x + px(200, tpp), px(60, ty()), px(4500, tpp), px(ButtonSize, ty()));

    connect(cmdPageFirst, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdPageFirst_Click));
    connect(cmdPageUp, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdPageUp_Click));
    connect(cmdPageDown, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdPageDown_Click));
    connect(cmdPageLast, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdPageLast_Click));
    connect(cmdPrint, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdPrint_Click));
    connect(cmdPrintSetup, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdPrintSetup_Click));
    connect(cmdUnderlay, &QToolButton::clicked, this,
            reportedSlot(this, &frm_BillPreView::cmdUnderlay_Click));
    connect(cmdClose, &QToolButton::clicked, this, &QDialog::reject);
    connect(pictMain, &PagePicture::pressed, this,
            reportedSlot(this, &frm_BillPreView::pictMain_MouseDown));
    connect(pictMain, &PagePicture::clicked, this,
            reportedSlot(this, &frm_BillPreView::pictMain_Click));
    connect(HS, &QScrollBar::valueChanged, this,
            reportedSlot(this, &frm_BillPreView::HS_Change));
    connect(VS, &QScrollBar::valueChanged, this,
            reportedSlot(this, &frm_BillPreView::VS_Change));

    resize(px(12000, tpp), px(9000, ty()));
    LayoutWindow();
}

frm_BillPreView::~frm_BillPreView() = default;

double frm_BillPreView::tx() const
{
    return Screen::TwipsPerPixelX();
}

double frm_BillPreView::ty() const
{
    return Screen::TwipsPerPixelY();
}

QSizeF frm_BillPreView::pictViewTwips() const
{
    return QSizeF(pictView->width() * tx(), pictView->height() * ty());
}

void frm_BillPreView::PageSetup()
{
    pictMain->Cls();
    const PrintRun &run = Mod_Print::Run();
    if (run.Orientation == PrintRun::Upright) {
        mPageHeight = run.PageHeight;
        mPageWidth = run.PageWidth;
    } else {
        mPageHeight = run.PageWidth;
        mPageWidth = run.PageHeight;
    }
    if (mPageWidth == 0)
        throw RuntimeError(RuntimeError::DivisionByZero, QStringLiteral("frm_BillPreView"));
    mPageRatio = mPageHeight / mPageWidth;
    m_picLeft = 100;
    m_picTop = 100;
    mClickX = 0;
    mClickY = 0;
    mCurPage = 1;
    mPageCount = run.PageCount;
    mActualSize = true;
    m_demo = run.IsDemo;
    cmdUnderlay->setChecked(false);
    cmdUnderlay->setEnabled(run.Bill && !run.Bill->mUnderlay.isEmpty());
    m_underlay.setSource(QImage());
    m_underlayDecoded = false;
    setWindowTitle(m_demo ? Caption + QStringLiteral(" - ") + DemoMark : Caption);
    ShowPage();
}

void frm_BillPreView::ShowPage()
{
    QString label = QStringLiteral("第 %1 页/共 %2 页").arg(mCurPage).arg(mPageCount);
    if (m_demo)
        label += QStringLiteral("（") + DemoMark + QStringLiteral("）");
    labPage->setText(label);
    setCursor(PointerShape::cursorFor(PointerShape::Hourglass));
    pictMain->Cls();
    SizePage();
    composeImage();
    pictMain->setVisible(true);
    unsetCursor();
}

void frm_BillPreView::SizePage()
{
    const QSizeF size = PreviewLayout::PictureSize(mActualSize, mPageWidth, mPageHeight, mPageRatio,
                                                   pictViewTwips());
    m_picWidth = size.width();
    m_picHeight = size.height();
    LayoutView();
    Mod_Print::Run().PageScale = mPageHeight > 0 ? m_picHeight / mPageHeight : 1.0;
}

// The page picture's image: its size in twips at the screen's pixels, the
// painter scaled so that composition draws in page units.
void frm_BillPreView::composeImage()
{
    const QSize pixels(std::max(1, px(m_picWidth, tx())), std::max(1, px(m_picHeight, ty())));
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (cmdUnderlay->isChecked())
            paintUnderlay(painter, pixels);
        if (mPageWidth > 0 && mPageHeight > 0)
            painter.scale(pixels.width() / mPageWidth, pixels.height() / mPageHeight);
        Mod_Print::setPreviewPainter(&painter);
        Mod_Print::ComposePage(mCurPage, false);
        Mod_Print::setPreviewPainter(nullptr);
    }
    pictMain->setImage(image);
}

void frm_BillPreView::LayoutView()
{
    const double hsHeight = HS->sizeHint().height() * ty();
    const double vsWidth = VS->sizeHint().width() * tx();
    m_layout = PreviewLayout::LayoutView(pictViewTwips(), QSizeF(m_picWidth, m_picHeight), hsHeight,
                                         vsWidth, QPointF(mClickX, mClickY), m_layout);
    const double x = tx(), y = ty();
    HS->setGeometry(px(m_layout.HS.left(), x), px(m_layout.HS.top(), y),
                    px(m_layout.HS.width(), x), px(m_layout.HS.height(), y));
    VS->setGeometry(px(m_layout.VS.left(), x), px(m_layout.VS.top(), y),
                    px(m_layout.VS.width(), x), px(m_layout.VS.height(), y));
    const QSignalBlocker blockH(HS);
    const QSignalBlocker blockV(VS);
    HS->setRange(m_layout.H.Min, m_layout.H.Max);
    HS->setValue(m_layout.H.Value);
    HS->setVisible(m_layout.H.Visible);
    VS->setRange(m_layout.V.Min, m_layout.V.Max);
    VS->setValue(m_layout.V.Value);
    VS->setVisible(m_layout.V.Visible);
    m_picLeft = m_layout.PicLeft;
    m_picTop = m_layout.PicTop;
    placePicture();
}

void frm_BillPreView::placePicture()
{
    pictMain->setGeometry(px(m_picLeft, tx()), px(m_picTop, ty()),
                          std::max(1, px(m_picWidth, tx())), std::max(1, px(m_picHeight, ty())));
    HS->raise();
    VS->raise();
}

void frm_BillPreView::LayoutWindow()
{
    // A window too small for the view leaves the view as it was.
    const double width = this->width() * tx() - 2 * ViewLeft - 100;
    const double height = this->height() * ty() - ViewTop - ViewLeft - 400;
    if (width < 0 || height < 0)
        return;
    pictView->setGeometry(px(ViewLeft, tx()), px(ViewTop, ty()), px(width, tx()), px(height, ty()));
}

void frm_BillPreView::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    LayoutWindow();
}

bool frm_BillPreView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pictView && event->type() == QEvent::Resize)
        LayoutView();
    return QDialog::eventFilter(watched, event);
}

void frm_BillPreView::cmdPageFirst_Click()
{
    mCurPage = 1;
    ShowPage();
}

void frm_BillPreView::cmdPageUp_Click()
{
    if (mCurPage < 2)
        return;
    --mCurPage;
    ShowPage();
}

void frm_BillPreView::cmdPageDown_Click()
{
    if (mCurPage >= mPageCount)
        return;
    ++mCurPage;
    ShowPage();
}

void frm_BillPreView::cmdPageLast_Click()
{
    mCurPage = mPageCount;
    ShowPage();
}

void frm_BillPreView::cmdPrint_Click()
{
    // The page stays as shown; the next redraw is at the page's own size.
    mActualSize = true;
    Mod_Print::PrintPages();
}

// The print button's printer, or the one chosen here, which the template
// then keeps.
void frm_BillPreView::cmdPrintSetup_Click()
{
    const PrintRun &run = Mod_Print::Run();
    if (!run.Bill)
        return;
    PrintSetupRequest request;
    request.title = QStringLiteral("打印设置");
    request.initial = Mod_Print::DefaultChoice(*run.Bill);
    request.pageCount = mPageCount;
    request.currentPage = mCurPage;
    const std::optional<PrintChoice> choice = Platform::dialogs().PrintSetup(request);
    if (!choice)
        return;
    TemplatePrinter::remember(*run.Bill, choice->printerName);
    mActualSize = true;
    Mod_Print::PrintPages(*choice);
}

void frm_BillPreView::cmdUnderlay_Click()
{
    ShowPage();
}

// Beneath the page's objects, where the template places it, faded; only
// ever on the screen.
void frm_BillPreView::paintUnderlay(QPainter &painter, const QSize &pixels)
{
    const PrintRun &run = Mod_Print::Run();
    if (!run.Bill || mPageWidth <= 0 || mPageHeight <= 0)
        return;
    const FormUnderlay &underlay = run.Bill->mUnderlay;
    if (!m_underlayDecoded) {
        m_underlay.setSource(underlay.decoded());
        m_underlayDecoded = true;
    }
    const double sx = pixels.width() / mPageWidth;
    const double sy = pixels.height() / mPageHeight;
    const QRect target(QPoint(int(std::lround(underlay.Place.left() * sx)),
                              int(std::lround(underlay.Place.top() * sy))),
                       QPoint(int(std::lround(underlay.Place.right() * sx)) - 1,
                              int(std::lround(underlay.Place.bottom() * sy)) - 1));
    const QImage &faded = m_underlay.faded(target.size(), underlay.Opacity);
    if (!faded.isNull())
        painter.drawImage(target.topLeft(), faded);
}

void frm_BillPreView::pictMain_MouseDown(const QPointF &pixels)
{
    const double scale = Mod_Print::Run().PageScale > 0 ? Mod_Print::Run().PageScale : 1.0;
    mClickX = pixels.x() * tx() / scale;
    mClickY = pixels.y() * ty() / scale;
}

void frm_BillPreView::pictMain_Click()
{
    mActualSize = !mActualSize;
    ShowPage();
}

void frm_BillPreView::HS_Change(int value)
{
    m_picLeft = 100 - value;
    m_layout.H.Value = value;
    placePicture();
}

void frm_BillPreView::VS_Change(int value)
{
    m_picTop = 100 - value;
    m_layout.V.Value = value;
    placePicture();
}
