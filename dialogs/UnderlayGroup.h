#pragma once

#include "ShownLength.h"

#include "model/FormUnderlay.h"

#include <QGroupBox>
#include <QSizeF>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class UnderlayFile;

// Page setup's 底图 group: the blank form beneath the page in the designer,
// chosen from a picture or PDF file, replaced or removed; the page of a PDF,
// the opacity, and its left, top, width and height in millimetres. A newly
// chosen file is placed at its size on paper when it records one, else
// stretched over the page. A file that cannot serve is refused with its
// reason and changes nothing. Elements carry their names as object names.
class UnderlayGroup : public QGroupBox
{
    Q_OBJECT

public:
    UnderlayGroup(const FormUnderlay &underlay, const QSizeF &page, QWidget *parent = nullptr);
    ~UnderlayGroup() override;

    // The underlay as the group holds it; no value when a field is refused
    // (the refusal is shown, titled title, and the field has the focus).
    std::optional<FormUnderlay> result(const QString &title);

private:
    void createElements();
    void layOut();
    void chooseFile();
    void removeFile();
    void pageChanged(int page);
    void showUnderlay();
    void showPlace(const QRectF &place);
    QRectF placeOf(const UnderlayFile &file, int page, const QPointF &topLeft) const;
    void refuse(const QString &message, const QString &title, QWidget &field);

    FormUnderlay m_underlay;
    QSizeF m_page;
    // The file the underlay came from, open for its page count and sizes.
    std::unique_ptr<UnderlayFile> m_file;
    ShownLength m_shown[4];

    QLabel *m_labFile = nullptr;
    QPushButton *m_cmdChoose = nullptr;
    QPushButton *m_cmdRemove = nullptr;
    QSpinBox *m_txtPage = nullptr;
    QLabel *m_labPages = nullptr;
    QSpinBox *m_txtOpacity = nullptr;
    QLineEdit *m_txtPlace[4] = {};
};
