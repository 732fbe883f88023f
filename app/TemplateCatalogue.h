#pragma once

#include "designer/BillSource.h"

#include "store/StoreLocation.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TemplateStore;

// The program's one template store, opened on first use where the options
// chose (this machine's file by default, or a server; tests give another
// place before the first use). A store that cannot be opened is tried again
// at the next use, so a folder made writable or a server started meanwhile
// works without a restart. A server's password is asked at the first
// connection of the session and kept in memory only.
class TemplateCatalogue : public BillSource
{
public:
    TemplateCatalogue();
    ~TemplateCatalogue() override;
    TemplateCatalogue(const TemplateCatalogue &) = delete;
    TemplateCatalogue &operator=(const TemplateCatalogue &) = delete;

    // Where the options keep the user's choice (no password in it).
    static StoreLocation chosenLocation();
    static void chooseLocation(const StoreLocation &location);

    // Opens the store at location; for a server the password comes from
    // PGPASSWORD when set, else is asked once per session (a refused one
    // is asked for again next time). Throws RuntimeError.
    static std::unique_ptr<TemplateStore> open(const StoreLocation &location, bool readOnly = false);

    // Where the store is: the one set, else the user's choice, else the
    // default file.
    StoreLocation location() const;
    // The store file, or the server's address.
    QString path() const;
    // Uses the store at path (a file, or a postgresql:// address) from the
    // next use on; empty: the user's choice again.
    void setPath(const QString &path);
    void setLocation(const std::optional<StoreLocation> &location);
    // The open store; throws RuntimeError when it cannot be opened. Opening
    // it hands its document types to the session's print runs.
    TemplateStore &store();
    // Told when a save waits for another clerk's, and when it stops waiting.
    void setWaitNotice(std::function<void(bool waiting)> notice);

    void ReadBill(int16_t tmpID, BillTemplate &fresh) override;

private:
    std::optional<StoreLocation> m_location;
    std::unique_ptr<TemplateStore> m_store;
    std::function<void(bool)> m_waitNotice;
};
