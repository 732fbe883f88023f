#pragma once

#include <QDialog>

#include <cstdint>

class ImageButton;
class QComboBox;
class QMouseEvent;
class QPushButton;
class TemplateCatalogue;

// The template selection dialog of 新建, 打开 and 另存为: a category and a
// template name, typed (new, save as) or chosen from the category's stored
// templates (open), and the deletion of a stored template. SetFlag prepares
// every use; the results are mID (-1 cancelled, 0 a new name, > 0 the
// chosen template), mScreenID and mName.
class mFrm_Select : public QDialog
{
    Q_OBJECT

public:
    explicit mFrm_Select(TemplateCatalogue &catalogue, QWidget *parent = nullptr);

    // mOldType is the category of the template being saved (-1: none),
    // bOldName its name. The category list starts at mOldType, or at the
    // store's default category when there is none. Throws RuntimeError when the store cannot be read.
    void SetFlag(bool tmpNew, int16_t mOldType, const QString &bOldName);

    int16_t mID = -1;
    int16_t mScreenID = 0;
    QString mName;

    QComboBox *CmbType;
    QComboBox *CmbName;
    ImageButton *ImgDelete;
    QPushButton *CmdOk;
    QPushButton *CmdCancel;

    void CmdOk_Click();
    void CmdCancel_Click();
    void ImgDelete_Click();
    // The category change: lists the chosen category's templates.
    void CmbType_Click();

signals:
    // A stored template was deleted.
    void templateDeleted(int16_t id);

protected:
    // Cancel, Esc and the window frame's close all end here.
    void reject() override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // The list entry the name box holds, -1 for none.
    int chosenEntry() const;
    void refuse(const QString &text);

    TemplateCatalogue &m_catalogue;
    bool mbNew = false;
};
