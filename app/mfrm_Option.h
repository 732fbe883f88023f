#pragma once

#include <QDialog>

class DocumentTypeEditor;
class QCheckBox;
class QComboBox;
class QPushButton;
class TemplateStore;

// The options dialog (系统选项): the document types of the store, listed in
// CmbSystem and edited below it; ChkDefMode marks the one a new template
// takes. OK writes that mark and closes; when the store refuses, the
// failure is reported and the dialog stays open. Cancel leaves the mark as
// it was (what the editor's own buttons stored stays stored).
class mfrm_Option : public QDialog
{
    Q_OBJECT

public:
    explicit mfrm_Option(TemplateStore &store, QWidget *parent = nullptr);

    // Fills the list from the store; throws RuntimeError when it cannot be read.
    void load();
    DocumentTypeEditor &editor() const { return *m_editor; }

    QCheckBox *ChkDefMode;
    QComboBox *CmbSystem;
    QPushButton *CmdOK;
    QPushButton *CmdCancel;

private:
    void CmdOK_Click();

    TemplateStore &m_store;
    DocumentTypeEditor *m_editor;
};
