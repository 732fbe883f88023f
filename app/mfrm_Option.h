#pragma once

#include "store/Category.h"

#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QPushButton;

// The options dialog (系统选项): a default-system box and the list of
// systems, the store's categories. Both buttons only close it; nothing is
// stored or applied.
class mfrm_Option : public QDialog
{
    Q_OBJECT

public:
    explicit mfrm_Option(QWidget *parent = nullptr);

    void listSystems(const QList<Category> &categories);

    QCheckBox *ChkDefMode;
    QComboBox *CmbSystem;
    QPushButton *CmdOK;
    QPushButton *CmdCancel;
};
