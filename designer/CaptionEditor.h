#pragma once

#include <QObject>

#include <functional>

class PageSurface;
class QLineEdit;
class QWidget;
class ViewMapping;

// In-place editing of a text object's caption: the editor (TxtLab) lies
// over the label, takes its text, font and colour, copies every keystroke
// into the label at once and hides on Enter or when it loses the focus.
// There is no cancel. Whether a text may be edited is the window's rule.
// Its place and its font's size follow the page at the window's zoom.
class CaptionEditor : public QObject
{
public:
    // The editor opens on area, the page area the page view shows in, over
    // the page view; Enter gives the keys back to window.
    CaptionEditor(PageSurface &page, QWidget &window, QWidget &area, QWidget &pageView,
                  const ViewMapping &mapping);

    QLineEdit &TxtLab() const { return *m_txtLab; }
    bool isEditing() const;
    // The label being edited (mEditIndex).
    int editIndex() const { return mEditIndex; }

    // Starts editing label `index` of ObjText.
    void start(int index);
    // Puts the editor back over its label, at its size, after the page
    // moved or the zoom changed.
    void place();
    // Called whenever an edit changes a caption.
    void onEdited(std::function<void()> edited) { m_edited = std::move(edited); }
    // Called once when an edit ends (Enter, the focus lost, or finish()).
    void onFinished(std::function<void()> finished) { m_finished = std::move(finished); }
    // Ends an edit under way as Enter does.
    void finish();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void TxtLab_GotFocus();
    void TxtLab_Change();
    void TxtLab_Return();
    void TxtLab_LostFocus();
    void close();

    PageSurface &m_page;
    QWidget &m_window;
    QWidget &m_area;
    QWidget &m_pageView;
    const ViewMapping &m_mapping;
    QLineEdit *m_txtLab;
    int mEditIndex = 0;
    std::function<void()> m_edited;
    std::function<void()> m_finished;
    bool m_open = false;
};
