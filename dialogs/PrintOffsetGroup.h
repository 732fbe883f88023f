#pragma once

#include "ShownLength.h"

#include <QGroupBox>
#include <QPointF>

#include <optional>

class QLineEdit;

// Page setup's 打印偏移 group: the template's own shift on paper in
// millimetres (right and down positive, within the printer calibration's
// limits, in tenths), for a form that sits differently in the tray. It adds
// to the printer's calibration and never applies to a PDF file.
class PrintOffsetGroup : public QGroupBox
{
    Q_OBJECT

public:
    // offset: twips.
    explicit PrintOffsetGroup(const QPointF &offset, QWidget *parent = nullptr);

    // The offset in twips; no value when a field is refused (the refusal is
    // shown, titled title, and the field has the focus).
    std::optional<QPointF> result(const QString &title);

private:
    std::optional<double> fieldTwips(int field, const QString &title);

    ShownLength m_shown[2];
    QLineEdit *m_txt[2] = {};
};
