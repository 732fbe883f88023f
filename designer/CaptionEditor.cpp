#include "CaptionEditor.h"

#include "ViewMapping.h"

#include "print/ReportedSlot.h"

#include "platform/ElementArray.h"
#include "platform/PageSurface.h"
#include "platform/TextLayout.h"
#include "platform/Units.h"

#include <QEvent>
#include <QLineEdit>
#include <QPalette>

#include <algorithm>
#include <cmath>

CaptionEditor::CaptionEditor(PageSurface &page, QWidget &window, QWidget &area, QWidget &pageView,
                             const ViewMapping &mapping)
    : m_page(page)
    , m_window(window)
    , m_area(area)
    , m_pageView(pageView)
    , m_mapping(mapping)
    , m_txtLab(new QLineEdit(&area))
{
    m_txtLab->setFrame(false);
    m_txtLab->hide();
    m_txtLab->installEventFilter(this);
    connect(m_txtLab, &QLineEdit::textChanged, this,
            reportedSlot(this, &CaptionEditor::TxtLab_Change));
    connect(m_txtLab, &QLineEdit::returnPressed, this,
            reportedSlot(this, &CaptionEditor::TxtLab_Return));
}

bool CaptionEditor::isEditing() const
{
    return m_txtLab->isVisible();
}

void CaptionEditor::start(int index)
{
    mEditIndex = index;
    const Element &label = m_page.ObjText()(index);
    place();
    m_txtLab->setText(label.Caption());
    QPalette look = m_txtLab->palette();
    look.setColor(QPalette::Text, label.ForeColor());
    m_txtLab->setPalette(look);
    m_open = true;
    m_txtLab->show();
    m_txtLab->setFocus(Qt::OtherFocusReason);
}

void CaptionEditor::finish()
{
    if (isEditing())
        TxtLab_Return();
}

void CaptionEditor::close()
{
    m_txtLab->hide();
    if (!m_open)
        return;
    m_open = false;
    if (m_finished)
        m_finished();
}

// The editor lies over its label and moves with the page.
void CaptionEditor::place()
{
    const Element *label = m_page.ObjText().find(mEditIndex);
    if (!label)
        return;
    const QRectF box(label->Left(), label->Top(), label->Width(), label->Height());
    m_txtLab->setGeometry(m_mapping.pageToPixels(box).translated(m_pageView.mapTo(&m_area, QPoint())));
    QFont font = TextLayout::pageFont(label->Font());
    const double pixels =
        label->Font().Size * Units::TwipsPerPoint / m_mapping.pageTwipsPerPixelY();
    font.setPixelSize(std::max(1, int(std::lround(pixels))));
    if (font != m_txtLab->font())
        m_txtLab->setFont(font);
}

void CaptionEditor::TxtLab_GotFocus()
{
    m_txtLab->selectAll();
}

// Every keystroke shows on the page at once.
void CaptionEditor::TxtLab_Change()
{
    Element *label = m_page.ObjText().find(mEditIndex);
    if (!label)
        return;
    const QString text = m_txtLab->text();
    // Starting an edit fills the editor with the caption it already has,
    // which changes nothing.
    if (label->Caption() == text)
        return;
    label->setCaption(text);
    label->setTag(text);
    if (m_edited)
        m_edited();
}

// Enter ends editing and gives the keys back to the designer; a hidden
// editor would otherwise pass the focus on to the workspace frame, and
// the Ctrl keys would no longer refresh the menu states.
void CaptionEditor::TxtLab_Return()
{
    m_window.setFocus(Qt::OtherFocusReason);
    close();
}

void CaptionEditor::TxtLab_LostFocus()
{
    close();
}

bool CaptionEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtLab) {
        if (event->type() == QEvent::FocusIn)
            TxtLab_GotFocus();
        else if (event->type() == QEvent::FocusOut)
            TxtLab_LostFocus();
    }
    return QObject::eventFilter(watched, event);
}
