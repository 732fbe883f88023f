#pragma once

#include <QComboBox>

// The zoom box of the toolbar: shows the active designer's zoom and takes
// one of the steps from its list or a typed percentage ("120", "120%",
// full-width digits too). A typed value it cannot take is refused with a
// message, and the box shows the zoom again.
class ZoomBox : public QComboBox
{
    Q_OBJECT

public:
    explicit ZoomBox(QWidget *parent = nullptr);

    void showZoom(double zoom);

signals:
    void zoomChosen(double zoom);

private:
    void take(const QString &text);

    double m_zoom = 1;
};
