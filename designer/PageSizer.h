#pragma once

#include <QPoint>
#include <QRect>
#include <QSizeF>


#include <cstdint>
#include <vector>

class FixHandle;
class PageSurface;
class QWidget;
class ViewMapping;

// The page-size gesture: the three page-size handles (PicFixHd) around the
// page, a left press on one of them, the moves that resize the page from
// it, and the release that puts the handles back. Positions are window
// twips; the page moves by as many page twips as the pointer moves over it
// at the window's zoom.
class PageSizer
{
public:
    PageSizer(PageSurface &page, QWidget &window, const ViewMapping &mapping);

    // Loads handles 1 to 3 as copies of the template handle (index 0), shown
    // and in front of the page.
    void loadHandles(double width, double height);
    // Throws RuntimeError when the index is not loaded.
    FixHandle &handle(int index) const;
    // The loaded handle under a window point, 0 for none.
    int handleAt(const QPoint &windowPixels) const;
    bool handlesShown() const;
    // Places the handles around the page (MoveFixHd).
    void placeHandles();

    // A press on handle `index` at (X, Y) window twips starts the gesture;
    // the pointer is confined to `confinement` (screen pixels) until the
    // release, and the page keeps at least the size `contents` needs.
    void press(int index, int Button, double X, double Y, const QRect &confinement,
               const QSizeF &contents);
    void move(int Button, double X, double Y);
    void release(int Button);
    bool isSizing() const { return mSizingPage; }

private:
    void showHandles(bool shown);

    // The page's size after the pointer moved to (X, Y), in whole twips;
    // what of the move the rounding left is kept for the next.
    QSizeF sizeAt(double X, double Y);

    PageSurface &m_page;
    QWidget &m_window;
    const ViewMapping &m_mapping;
    std::vector<FixHandle *> m_handles;
    int16_t mFixHdIndex = 0;
    bool mSizingPage = false;
    double mLastX = 0;
    double mLastY = 0;
    QSizeF m_contents;
};
