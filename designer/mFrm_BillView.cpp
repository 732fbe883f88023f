// The page on screen: the layout of the window's page area, scrolling, the
// zoom, the rulers, the grid and the position readout.

#include "mFrm_Bill.h"

#include "CaptionEditor.h"
#include "DesignerGeometry.h"
#include "GridSteps.h"
#include "PageSizer.h"
#include "PageView.h"
#include "PositionReadout.h"
#include "Ruler.h"
#include "ScrollBar.h"
#include "ZoomSteps.h"

#include "model/ObjDraw.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <algorithm>
#include <cmath>

namespace {

// A layout step that fails is skipped; the next one still runs.
template<typename F>
void layoutStep(F &&step)
{
    try {
        step();
    } catch (const RuntimeError &) {
    }
}

} // namespace

void mFrm_Bill::placeRulers()
{
    const int r = Ruler::Thickness;
    const int w = std::max(0, width() - r);
    const int h = std::max(0, height() - r);
    m_hRuler->setGeometry(r, 0, w, r);
    m_vRuler->setGeometry(0, r, r, h);
    m_client->setGeometry(r, r, w, h);
}

// The layout works in page-area twips; what of the page shows beside a bar
// is window twips at the zoom.
void mFrm_Bill::Form_Resize()
{
    const double width = Width();
    const double height = Height();
    layoutStep([&] {
        HS().Move(0, height - HS().Height() - 400, width - VS().Width() - 100, HS().Height());
    });
    layoutStep([&] {
        VS().Move(width - VS().Width() - 100, 0, VS().Width(), height - HS().Height() - 400);
    });
    const int hv = HS().Value();
    const int vv = VS().Value();
    layoutStep([&] { layoutHorizontal(hv); });
    layoutStep([&] { layoutVertical(vv); });
    m_viewport->setGeometry(shownArea());
    followPageInRulers();
}

void mFrm_Bill::layoutHorizontal(int hv)
{
    const double shown = m_mapping.windowToPage(VS().Left());
    if (PicPage().Width() > shown) {
        HS().setMin(0);
        HS().setMax(DesignerGeometry::scrollMax(PicPage().Width(), shown,
                                                m_mapping.windowToPage(VS().Width())));
        hv = std::clamp(hv, HS().Min(), HS().Max());
        HS().show();
        HS().setValue(hv);
    } else {
        HS().hide();
        HS().setValue(0);
    }
}

void mFrm_Bill::layoutVertical(int vv)
{
    const double shown = m_mapping.windowToPage(HS().Top());
    if (PicPage().Height() > shown) {
        VS().setMin(0);
        VS().setMax(DesignerGeometry::scrollMax(PicPage().Height(), shown,
                                                m_mapping.windowToPage(HS().Height())));
        vv = std::clamp(vv, VS().Min(), VS().Max());
        VS().show();
        VS().setValue(vv);
    } else {
        VS().hide();
        VS().setValue(0);
    }
}

// The bars hold page twips scrolled; the page moves by as many window
// twips at the zoom.
void mFrm_Bill::HS_Change()
{
    PicPage().setLeft(-m_mapping.pageToWindow(HS().Value()));
    if (m_pageSizer->handlesShown())
        MoveFixHd();
    if (m_captionEditor->isEditing())
        m_captionEditor->place();
    followPageInRulers();
}

void mFrm_Bill::VS_Change()
{
    PicPage().setTop(-m_mapping.pageToWindow(VS().Value()));
    if (m_pageSizer->handlesShown())
        MoveFixHd();
    if (m_captionEditor->isEditing())
        m_captionEditor->place();
    followPageInRulers();
}

void mFrm_Bill::PicPage_Resize()
{
    if (m_pageSizer->handlesShown())
        MoveFixHd();
    Form_Resize();
}

void mFrm_Bill::followPageInRulers()
{
    m_hRuler->setPage(m_pageView->x(), Units::TwipsPerMm / m_mapping.pageTwipsPerPixelX(),
                      Units::twipsToMm(PicPage().Width()));
    m_vRuler->setPage(m_pageView->y(), Units::TwipsPerMm / m_mapping.pageTwipsPerPixelY(),
                      Units::twipsToMm(PicPage().Height()));
}

void mFrm_Bill::setZoom(double zoom, std::optional<QPointF> anchor)
{
    endGesture();
    const double before = m_mapping.zoom();
    const QPointF at = anchor ? *anchor : shownMiddle();
    const QPointF pagePoint = m_mapping.pageToTwips(at - QPointF(m_pageView->pos()));
    m_mapping.setZoom(zoom);
    if (m_mapping.zoom() == before)
        return;
    applyViewScale();
    Form_Resize();
    scrollTo(pagePoint, at);
    emit zoomChanged(m_mapping.zoom());
}

void mFrm_Bill::zoomIn(std::optional<QPointF> anchor)
{
    setZoom(ZoomSteps::larger(zoom()), anchor);
}

void mFrm_Bill::zoomOut(std::optional<QPointF> anchor)
{
    setZoom(ZoomSteps::smaller(zoom()), anchor);
}

// The page's pixels were painted at the old scale. Nothing of the model
// moves: handles show as many pixels across at every zoom, and the page
// files its elements for the widest pixels it may be seen at.
void mFrm_Bill::applyViewScale()
{
    PicPage().setViewTwipsPerPixel(m_mapping.pageTwipsPerPixelX(), m_mapping.pageTwipsPerPixelY());
    m_pageView->rescale();
    HS().followZoom();
    VS().followZoom();
    if (m_captionEditor->isEditing())
        m_captionEditor->place();
}

// Puts pagePoint under anchor (page-area pixels), as far as the bars reach.
void mFrm_Bill::scrollTo(const QPointF &pagePoint, const QPointF &anchor)
{
    const QPointF start = pagePoint - m_mapping.pageToTwips(anchor);
    for (ScrollBar *bar : {m_hs, m_vs}) {
        if (!bar->Visible())
            continue;
        const double wanted = bar == m_hs ? start.x() : start.y();
        layoutStep([&] { bar->setValue(std::clamp(std::round(wanted), double(bar->Min()),
                                                  double(bar->Max()))); });
    }
    // An unchanged value still places the page at the new zoom.
    HS_Change();
    VS_Change();
}

QPointF mFrm_Bill::shownMiddle() const
{
    return QRectF(shownArea()).center();
}

QRect mFrm_Bill::shownArea() const
{
    const int right = m_vs->Visible() ? m_vs->x() : m_client->width();
    const int bottom = m_hs->Visible() ? m_hs->y() : m_client->height();
    return QRect(0, 0, std::max(0, right), std::max(0, bottom));
}

void mFrm_Bill::setGridMm(double mm)
{
    m_gridMm = std::isfinite(mm) && mm > 0 ? mm : 0;
    m_pageView->setGrid(m_gridMm > 0 ? GridSteps::twipsOf(m_gridMm) : 0);
}

QString mFrm_Bill::readoutText() const
{
    std::optional<QRectF> object;
    const ObjDraws &objects = m_bill->mObjs;
    if (objects.nActCount() == 1) {
        const ObjDraw *current = objects.findByID(objects.nCurID());
        if (current && current->IsActive() && current->ObjCtl())
            object = current->ObjCtl()->rect();
    }
    return PositionReadout::text(m_pointerOnPage, object);
}

void mFrm_Bill::showReadout()
{
    const QString text = readoutText();
    if (text == m_readout)
        return;
    m_readout = text;
    emit readoutChanged(text);
}

// A point of the page area: the readout shows where it is on the page, the
// rulers mark it while it is in the area.
void mFrm_Bill::notePointer(const QPointF &areaPixels)
{
    const QRectF area(QPointF(0, 0), QSizeF(m_client->size()));
    const QRectF page = QRectF(m_pageView->geometry() & shownArea());
    if (page.contains(areaPixels))
        m_pointerOnPage = m_mapping.pageToTwips(areaPixels - QPointF(m_pageView->pos()));
    else
        m_pointerOnPage.reset();
    const bool inArea = area.contains(areaPixels);
    m_hRuler->setPointer(inArea ? std::optional<int>(int(std::floor(areaPixels.x())))
                                : std::nullopt);
    m_vRuler->setPointer(inArea ? std::optional<int>(int(std::floor(areaPixels.y())))
                                : std::nullopt);
    showReadout();
}

void mFrm_Bill::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_pointerOnPage.reset();
    m_hRuler->setPointer(std::nullopt);
    m_vRuler->setPointer(std::nullopt);
    showReadout();
}
