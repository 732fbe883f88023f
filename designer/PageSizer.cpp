#include "PageSizer.h"

#include "DesignerGeometry.h"
#include "FixHandle.h"
#include "ViewMapping.h"

#include "model/MouseButton.h"

#include "platform/PageSurface.h"
#include "platform/Platform.h"
#include "platform/PointerConfinement.h"
#include "platform/RuntimeError.h"
#include "platform/Units.h"

#include <cmath>

PageSizer::PageSizer(PageSurface &page, QWidget &window, const ViewMapping &mapping)
    : m_page(page)
    , m_window(window)
    , m_mapping(mapping)
{
    m_handles.push_back(new FixHandle(m_mapping, &m_window));
    m_handles.front()->hide();
}

void PageSizer::loadHandles(double width, double height)
{
    FixHandle &design = handle(FixHandle::Template);
    design.setHeight(height);
    design.setWidth(width);
    for (int i = FixHandle::RightEdge; i <= FixHandle::Corner; ++i) {
        auto *loaded = new FixHandle(m_mapping, &m_window);
        loaded->setWidth(design.Width());
        loaded->setHeight(design.Height());
        m_handles.push_back(loaded);
        loaded->show();
        loaded->ZOrder();
    }
}

FixHandle &PageSizer::handle(int index) const
{
    if (index < 0 || index >= int(m_handles.size()))
        throw RuntimeError(RuntimeError::ElementNotLoaded,
                           QStringLiteral("PicFixHd(%1)").arg(index));
    return *m_handles[std::size_t(index)];
}

int PageSizer::handleAt(const QPoint &windowPixels) const
{
    for (int i = FixHandle::RightEdge; i < int(m_handles.size()); ++i) {
        if (handle(i).Visible() && handle(i).geometry().contains(windowPixels))
            return i;
    }
    return FixHandle::Template;
}

bool PageSizer::handlesShown() const
{
    return m_handles.size() > FixHandle::RightEdge && handle(FixHandle::RightEdge).Visible();
}

void PageSizer::placeHandles()
{
    const FixHandle &design = handle(FixHandle::Template);
    const auto at = DesignerGeometry::fixHandlePositions(
        m_page.Left(), m_page.Top(), m_mapping.pageToWindow(m_page.Width()),
        m_mapping.pageToWindow(m_page.Height()), design.Width(), design.Height(),
        m_mapping.twipsPerPixelX(), m_mapping.twipsPerPixelY());
    for (int i = FixHandle::RightEdge; i <= FixHandle::Corner; ++i)
        handle(i).Move(at[std::size_t(i - 1)].x(), at[std::size_t(i - 1)].y());
}

void PageSizer::showHandles(bool shown)
{
    for (int i = FixHandle::RightEdge; i <= FixHandle::Corner; ++i)
        handle(i).setVisible(shown);
}

void PageSizer::press(int index, int Button, double X, double Y, const QRect &confinement,
                      const QSizeF &contents)
{
    if (Button != MouseButton::Left)
        return;
    m_contents = contents;
    mFixHdIndex = int16_t(index);
    mLastX = Units::toInt32(X);
    mLastY = Units::toInt32(Y);
    mSizingPage = true;
    showHandles(false);
    Platform::pointer().ClipCursor(confinement);
}

void PageSizer::move(int Button, double X, double Y)
{
    if (!MouseButton::holdsLeft(Button) || !mSizingPage)
        return;
    const QSizeF size = sizeAt(X, Y);
    if (mFixHdIndex == FixHandle::RightEdge || mFixHdIndex == FixHandle::Corner)
        m_page.setWidth(size.width());
    if (mFixHdIndex == FixHandle::BottomEdge || mFixHdIndex == FixHandle::Corner)
        m_page.setHeight(size.height());
}

QSizeF PageSizer::sizeAt(double X, double Y)
{
    const double zoom = m_mapping.zoom();
    // The pointer's move as page twips, from the last position.
    const double pageX = (X - mLastX) / zoom;
    const double pageY = (Y - mLastY) / zoom;
    const QSizeF size = DesignerGeometry::sizedPage(mFixHdIndex, std::round(pageX),
                                                    std::round(pageY), 0, 0, m_page.Width(),
                                                    m_page.Height(), m_contents);
    // A size held at its least follows the pointer from where it is now; a
    // free one keeps what the rounding left of the move.
    const double grownX = size.width() - m_page.Width();
    const double grownY = size.height() - m_page.Height();
    mLastX = grownX == std::round(pageX) ? X - (pageX - grownX) * zoom : X;
    mLastY = grownY == std::round(pageY) ? Y - (pageY - grownY) * zoom : Y;
    return size;
}

void PageSizer::release(int Button)
{
    if (Button != MouseButton::Left || !mSizingPage)
        return;
    mSizingPage = false;
    placeHandles();
    showHandles(true);
    Platform::pointer().ReleaseCursor();
}
