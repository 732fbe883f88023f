#pragma once

#include "ShownLength.h"

#include "platform/ScaleConversion.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class PrintOffsetGroup;
class QRadioButton;
class UnderlayGroup;
struct BillTemplate;

// The page setup of a template: its name, the page's size and the
// scrolling rows and columns (count and size in millimetres, columns first
// or not), the print orientation and the default flag.
// Below them the form beneath the page (底图) and the template's own offset
// on paper (打印偏移).
// The elements carry their names as object names (TxtName, TxtCount, ...).
// OK writes the record; Cancel writes nothing. The opener shows a changed
// name in its title.
class mFrm_PageSetup : public QDialog
{
    Q_OBJECT

public:
    mFrm_PageSetup(BillTemplate &bill, int scaleMode = ScaleConversion::Twips,
                   QWidget *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createElements();
    void layOut();
    void Form_Load();
    double toMm(double value, bool horizontal) const;
    double fromMm(const QLineEdit &box, const ShownLength &shown, bool horizontal) const;

    // The two change rules, run when the dialog opens, when editing of the
    // field finishes and on OK (not per keystroke, so 12.5 can be typed).
    void TxtCount_Change();
    void TxtHeight_Change();
    void OptPortrait_Click();
    void OptLandScape_Click();
    void CmdOK_Click();
    bool valuesAccepted();
    // The page's size as typed, in whole twips; a size the page cannot
    // take is refused and named.
    bool pageSizeAccepted(double &width, double &height);
    void refuse(const QString &message, QLineEdit &box);

    BillTemplate &m_bill;
    int m_scaleMode;
    ShownLength m_shownRowHeight;
    ShownLength m_shownColWidth;
    ShownLength m_shownPageWidth;
    ShownLength m_shownPageHeight;

    QLineEdit *m_txtName = nullptr;
    // The page's size in millimetres, captioned "页宽：" and "页高：".
    QLineEdit *m_labWidth = nullptr;
    QLineEdit *m_labHeight = nullptr;
    QLineEdit *m_txtCount = nullptr;
    QLineEdit *m_txtHeight = nullptr;
    QLineEdit *m_txtColCount = nullptr;
    QLineEdit *m_txtWidth = nullptr;
    QCheckBox *m_chkColFirst = nullptr;
    QRadioButton *m_optPortrait = nullptr;
    QRadioButton *m_optLandScape = nullptr;
    QLabel *m_image1 = nullptr;
    QLabel *m_image2 = nullptr;
    QCheckBox *m_chkDefault = nullptr;
    UnderlayGroup *m_underlay = nullptr;
    PrintOffsetGroup *m_offset = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};
