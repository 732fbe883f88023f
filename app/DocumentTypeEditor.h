#pragma once

#include "store/Category.h"

#include <QWidget>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TemplateStore;

// The document types of the options dialog: CmbSystem lists them (item
// data: the category id), the fields below show the chosen one, and the
// buttons add a type, store the edited one, test its connection and remove
// it; each of those writes the store at once and republishes the types to
// the session. ChkDefMode marks the chosen type as the one a new template
// takes; that mark is written by apply() (the dialog's OK), so Cancel
// leaves the default as it was. The demonstration type 0 is shown but not
// edited or removed. Passwords are never part of a type: a connection asks
// for one once per session.
class DocumentTypeEditor : public QWidget
{
    Q_OBJECT

public:
    DocumentTypeEditor(TemplateStore &store, QComboBox &cmbSystem, QCheckBox &chkDefMode,
                       QWidget *parent = nullptr);

    // Fills CmbSystem from the store and shows the default type.
    void reload(int16_t selectID = -1);
    // The type as the fields show it (not yet stored).
    Category editedType() const;
    // The type a new template would take once OK is pressed.
    int16_t pendingDefault() const { return m_pendingDefault; }
    // Writes the default mark; throws RuntimeError when the store fails.
    void apply();

    // What the buttons run, also for tests.
    void CmdNew_Click();
    void CmdSave_Click();
    void CmdTest_Click();
    void CmdRemove_Click();

private:
    void createFields();
    void connectElements();
    void CmbSystem_Click();
    void ChkDefMode_Click();
    void showType(const Category &type);
    // Says why the edited type cannot be stored and puts the cursor there;
    // false when it can.
    bool refused(const Category &type);
    int16_t currentID() const;
    void publish();

    TemplateStore &m_store;
    QComboBox &m_cmbSystem;
    QCheckBox &m_chkDefMode;
    QList<Category> m_types;
    int16_t m_pendingDefault = 0;
    bool m_filling = false;

    QLineEdit *m_txtName = nullptr;
    QComboBox *m_cmbDriver = nullptr;
    QLineEdit *m_txtDatabase = nullptr;
    QLineEdit *m_txtHost = nullptr;
    QLineEdit *m_txtPort = nullptr;
    QLineEdit *m_txtUser = nullptr;
    QLineEdit *m_txtOptions = nullptr;
    QLineEdit *m_txtTimeout = nullptr;
    QPlainTextEdit *m_txtHeaderQuery = nullptr;
    QPlainTextEdit *m_txtDetailQuery = nullptr;
    QPushButton *m_cmdNew = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdTest = nullptr;
    QPushButton *m_cmdRemove = nullptr;
};
