#pragma once

#include "store/StoreLocation.h"

#include <QDialog>

#include <optional>

class DocumentTypeEditor;
class StoreChoice;
class QCheckBox;
class QComboBox;
class QPushButton;
class TemplateStore;

// The options dialog (系统选项): the document types of the store, listed in
// CmbSystem and edited below it; ChkDefMode marks the one a new template
// takes. OK writes that mark and closes; when the store refuses, the
// failure is reported and the dialog stays open. Cancel leaves the mark as
// it was (what the editor's own buttons stored stays stored). Above them,
// where the templates are kept: a change is handed to the main window,
// which takes it when no template is open.
class mfrm_Option : public QDialog
{
    Q_OBJECT

public:
    explicit mfrm_Option(TemplateStore &store, QWidget *parent = nullptr);

    // Fills the list from the store; throws RuntimeError when it cannot be read.
    void load();
    DocumentTypeEditor &editor() const { return *m_editor; }
    StoreChoice &storeChoice() const { return *m_storeChoice; }
    // After OK: the store location chosen, when it is not the one in use.
    std::optional<StoreLocation> changedLocation() const { return m_changedLocation; }

    QCheckBox *ChkDefMode;
    QComboBox *CmbSystem;
    QPushButton *CmdOK;
    QPushButton *CmdCancel;

private:
    void CmdOK_Click();

    TemplateStore &m_store;
    DocumentTypeEditor *m_editor;
    StoreChoice *m_storeChoice;
    std::optional<StoreLocation> m_changedLocation;
};
