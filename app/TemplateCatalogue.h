#pragma once

#include "designer/BillSource.h"

#include <QString>

#include <memory>

class TemplateStore;

// The program's one template store, opened on first use at the user's
// default path (tests give another path before the first use). A store
// that cannot be opened is tried again at the next use, so a folder made
// writable meanwhile works without a restart.
class TemplateCatalogue : public BillSource
{
public:
    TemplateCatalogue();
    ~TemplateCatalogue() override;
    TemplateCatalogue(const TemplateCatalogue &) = delete;
    TemplateCatalogue &operator=(const TemplateCatalogue &) = delete;

    // The store file; the default path until another is set.
    QString path() const;
    // Uses the store at path from the next use on.
    void setPath(const QString &path);
    // The open store; throws RuntimeError when it cannot be opened. Opening
    // it hands its document types to the session's print runs.
    TemplateStore &store();

    void ReadBill(int16_t tmpID, BillTemplate &fresh) override;

private:
    QString m_path;
    std::unique_ptr<TemplateStore> m_store;
};
