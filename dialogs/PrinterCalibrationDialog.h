#pragma once

#include <QDialog>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// 打印机校准: for a chosen printer, prints the calibration sheet, takes the
// distances the clerk measures on it, computes the printer's offset and
// stores it under the printer's name; shows the stored offset and resets
// it. Without a printer installed the sheet goes to a PDF file and there is
// nothing to calibrate. Elements carry their names as object names.
class PrinterCalibrationDialog : public QDialog
{
    Q_OBJECT

public:
    // Difference between the two crosses (mm) past which saving asks first.
    static constexpr double MaxDisagreementMm = 1.0;

    explicit PrinterCalibrationDialog(QWidget *parent = nullptr);

    QString printer() const;

private:
    void createElements();
    void layOut();
    void showStoredOffset();
    void CmdPrint_Click();
    void CmdSave_Click();
    void CmdReset_Click();
    // The distance typed into box, or none (refused when required).
    bool readDistance(QLineEdit &box, bool required, std::optional<double> &value);
    void refuse(const QString &message, QLineEdit &box);

    QComboBox *m_cmbPrinter = nullptr;
    QLabel *m_labOffset = nullptr;
    QLineEdit *m_txtLeft = nullptr;
    QLineEdit *m_txtTop = nullptr;
    QLineEdit *m_txtRight = nullptr;
    QLineEdit *m_txtBottom = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdReset = nullptr;
    QPushButton *m_cmdClose = nullptr;
};
