#pragma once

#include "platform/BarcodeLook.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The text page's choice of how a text prints: as text or as a code, with
// the module width of a linear code, the QR error-correction level and
// whether a linear code prints its text under the bars. Fields that do not
// apply to the chosen type are disabled and keep their values.
class BarcodeFields : public QGroupBox
{
    Q_OBJECT

public:
    explicit BarcodeFields(QWidget *parent = nullptr);

    void setLook(const BarcodeLook &look);
    // The look as chosen; check moduleWidthProblem first.
    BarcodeLook look() const;
    // Why the typed module width is refused (only while a linear code is
    // chosen); empty when it is accepted.
    QString moduleWidthProblem() const;
    QLineEdit &moduleWidthBox() const { return *m_txtModuleWidth; }

private:
    void CmbBarcode_Click();
    double typedModuleWidth() const;

    QComboBox *m_cmbBarcode = nullptr;
    QLineEdit *m_txtModuleWidth = nullptr;
    QComboBox *m_cmbQrLevel = nullptr;
    QCheckBox *m_chkBarcodeText = nullptr;
};
