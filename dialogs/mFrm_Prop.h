#pragma once

#include "ShownLength.h"

#include "print/DocumentFields.h"

#include "platform/ElementFont.h"
#include "platform/ScaleConversion.h"

#include <QDialog>
#include <QRectF>

#include <array>
#include <cstdint>

class BarcodeFields;
class ColorSwatch;
class Element;
class ObjDraw;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QStackedLayout;
class QTabBar;
struct BillTemplate;

// The property dialog of the current object of a template: position and
// size in millimetres, lock and print flags, colour, border or line style
// and width, picture stretching, and for a text the fixed text or the bound
// field with its format, scrolling and sums, the font and the alignment,
// and whether it prints as text or as a code.
// The elements carry their names as object names (TxtLeft, CmbKey, ...).
// OK writes everything back to the object; Cancel writes nothing.
class mFrm_Prop : public QDialog
{
    Q_OBJECT

public:
    // Loads the dialog: the designer's scale mode, then the field codes,
    // the five run-time entries followed by the columns `columns` lists for
    // the template's category (asked once per opening).
    mFrm_Prop(BillTemplate &bill, int scaleMode = ScaleConversion::Twips,
              QWidget *parent = nullptr,
              const DocumentFields::Lister &columns = DocumentFields::ColumnsOf);

    // Fills every element from the current object; throws RuntimeError
    // when there is no such object or it has no element.
    void Init();

    // The font being edited (a label that is never shown).
    const ElementFont &LabTmp() const { return m_labTmp; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Tab { SizeTab = 1, StyleTab = 2, TextTab = 3 };

    void createSizePage();
    void createStylePage();
    void createTextPage();
    void createButtons();
    void connectRules();
    void LoadFieldCodes(const DocumentFields::Lister &columns);

    ObjDraw &object() const;
    Element &control() const;
    void showLength(QLineEdit &box, ShownLength &shown, double value, bool horizontal);
    double readLength(const QLineEdit &box, const ShownLength &shown, bool horizontal) const;
    QRectF typedGeometry() const;
    void initLine(const Element &line);
    void initPicture(const ObjDraw &obj, const Element &image);
    void initText(const ObjDraw &obj, const Element &label);
    void selectByCode(QComboBox &list, int code);
    int fieldEntryOf(const QString &tag) const;
    QString entryText(int entry) const;

    // Element rules.
    void CmbKey_Click();
    void ChkScroll_Click();
    void ChkSumAll_Click();
    void ChkSumPage_Click();
    void ChkAutoSize_Click();
    void ChkClip_Click();
    void TxtLineWidth_Change();
    void VScrLineWidth_Step(int action);
    void VScrLineWidth_Change();
    void Tab1_Click();
    void LabColor_DblClick();
    void CmdFont_Click();
    void CmdOK_Click();

    // OK: the boxes are read as losing focus leaves them, refused values
    // are named in a warning, then everything is written back.
    bool geometryAccepted();
    bool barcodeAccepted();
    void refuse(const QString &message, QLineEdit &box);
    void SaveProp();
    void saveLine(Element &line, const QRectF &box);
    void savePicture(ObjDraw &obj, Element &image, const QRectF &box);
    void saveText(ObjDraw &obj, Element &label, const QRectF &box);
    int lineWidth() const;

    BillTemplate &m_bill;
    // Dialog state: the object's id and kind, the designer's unit.
    int16_t m_objectID = 0;
    int32_t m_kind = 0;
    int16_t m_scaleMode;
    ElementFont m_labTmp;

    QTabBar *m_tab1 = nullptr;
    QStackedLayout *m_pages = nullptr;
    std::array<QWidget *, 3> m_pic{};
    QLineEdit *m_txtLeft = nullptr;
    QLineEdit *m_txtTop = nullptr;
    QLineEdit *m_txtWidth = nullptr;
    QLineEdit *m_txtHeight = nullptr;
    ShownLength m_shownLeft;
    ShownLength m_shownTop;
    ShownLength m_shownWidth;
    ShownLength m_shownHeight;
    QCheckBox *m_chkLock = nullptr;
    QCheckBox *m_chkPrint = nullptr;
    ColorSwatch *m_labColor = nullptr;
    QComboBox *m_cmbLineStyle = nullptr;
    QLineEdit *m_txtLineWidth = nullptr;
    QScrollBar *m_vscrLineWidth = nullptr;
    QCheckBox *m_chkAutoSize = nullptr;
    QCheckBox *m_chkClip = nullptr;
    QComboBox *m_cmbKey = nullptr;
    QPlainTextEdit *m_txtCaption = nullptr;
    QComboBox *m_cmbFormat = nullptr;
    QLabel *m_labFormat = nullptr;
    QCheckBox *m_chkScroll = nullptr;
    QCheckBox *m_chkSumPage = nullptr;
    QCheckBox *m_chkSumAll = nullptr;
    QPushButton *m_cmdFont = nullptr;
    QComboBox *m_cmbAlign = nullptr;
    BarcodeFields *m_barcode = nullptr;
    QComboBox *m_cmbSave = nullptr;
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};
