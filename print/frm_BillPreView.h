#pragma once

#include "print/PreviewLayout.h"

#include "platform/UnderlayRaster.h"

#include <QDialog>

#include <cstdint>

class PagePicture;
class QPainter;
class QLabel;
class QScrollBar;
class QToolButton;
class QWidget;

// The preview window of a print run: one page at a time on a page picture
// inside a view with two scroll bars, zoom by click between the page's own
// size and the page fitted into the view, paging, printing the run on the
// template's printer or as chosen in the print dialog. The form beneath the
// template shows only while its button is down (up at first), so the
// preview shows what prints.
// Positions and sizes are twips, shown at the screen's twips per pixel.
class frm_BillPreView : public QDialog
{
    Q_OBJECT

public:
    explicit frm_BillPreView(QWidget *parent = nullptr);
    ~frm_BillPreView() override;

    // Prepares the window for the current run and shows its first page.
    // Throws RuntimeError when the run's page has no width.
    void PageSetup();
    void ShowPage();
    void SizePage();

    // Window state.
    double mPageHeight = 0;
    double mPageWidth = 0;
    double mPageRatio = 1;
    bool mActualSize = true;
    double mClickX = 0;
    double mClickY = 0;
    int16_t mCurPage = 1;
    int16_t mPageCount = 1;

    QToolButton *cmdPageFirst;
    QToolButton *cmdPageUp;
    QToolButton *cmdPageDown;
    QToolButton *cmdPageLast;
    QToolButton *cmdPrint;
    QToolButton *cmdPrintSetup;
    QToolButton *cmdUnderlay;
    QToolButton *cmdClose;
    QLabel *labPage;
    QWidget *pictView;
    PagePicture *pictMain;
    QScrollBar *HS;
    QScrollBar *VS;

    // pictMain's and pictView's geometry in twips.
    QRectF pictMainTwips() const { return QRectF(m_picLeft, m_picTop, m_picWidth, m_picHeight); }
    QSizeF pictViewTwips() const;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void cmdPageFirst_Click();
    void cmdPageUp_Click();
    void cmdPageDown_Click();
    void cmdPageLast_Click();
    void cmdPrint_Click();
    void cmdPrintSetup_Click();
    void cmdUnderlay_Click();
    void paintUnderlay(QPainter &painter, const QSize &pixels);
    void pictMain_MouseDown(const QPointF &pixels);
    void pictMain_Click();
    void HS_Change(int value);
    void VS_Change(int value);
    void LayoutView();
    void LayoutWindow();
    void placePicture();
    void composeImage();

    double tx() const;
    double ty() const;

    double m_picLeft = 100;
    double m_picTop = 100;
    double m_picWidth = 0;
    double m_picHeight = 0;
    // The run is a demonstration: caption and page label say so.
    bool m_demo = false;
    ViewLayout m_layout;
    // The run's underlay, decoded the first time it is shown.
    UnderlayRaster m_underlay;
    bool m_underlayDecoded = false;
};
