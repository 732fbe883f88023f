#include "TemplateCatalogue.h"

#include "DocumentTypeCatalog.h"

#include "store/TemplateStore.h"

#include "documents/DataSourceSettings.h"
#include "documents/PasswordVault.h"

#include "platform/AppTitle.h"
#include "platform/Platform.h"
#include "platform/RuntimeError.h"
#include "platform/SettingsStore.h"

namespace {

const QString Section = QStringLiteral("Store");
const QString LocationKey = QStringLiteral("Location");
const QString StoreName = QStringLiteral("单据模板库");

// The vault keys a password by where it leads, as for document types.
DataSourceSettings sourceOf(const StoreLocation &location)
{
    DataSourceSettings source;
    source.driver = QStringLiteral("QPSQL");
    source.host = location.host;
    source.port = location.port;
    source.databaseName = location.database;
    source.user = location.user;
    return source;
}

} // namespace

TemplateCatalogue::TemplateCatalogue() = default;

TemplateCatalogue::~TemplateCatalogue() = default;

StoreLocation TemplateCatalogue::chosenLocation()
{
    const QString text
        = Platform::settings().GetSetting(AppTitle(), Section, LocationKey, QString());
    const std::optional<StoreLocation> chosen
        = text.isEmpty() ? std::nullopt : StoreLocation::parse(text);
    return chosen ? *chosen : StoreLocation::file(TemplateStore::defaultPath());
}

void TemplateCatalogue::chooseLocation(const StoreLocation &location)
{
    Platform::settings().SaveSetting(AppTitle(), Section, LocationKey, location.toString());
}

StoreLocation TemplateCatalogue::location() const
{
    return m_location ? *m_location : chosenLocation();
}

QString TemplateCatalogue::path() const
{
    return location().toString();
}

void TemplateCatalogue::setPath(const QString &path)
{
    setLocation(path.isEmpty() ? std::nullopt : StoreLocation::parse(path));
}

void TemplateCatalogue::setLocation(const std::optional<StoreLocation> &location)
{
    m_store.reset();
    m_location = location;
}

std::unique_ptr<TemplateStore> TemplateCatalogue::open(const StoreLocation &location, bool readOnly)
{
    const TemplateStore::Access access
        = readOnly ? TemplateStore::Access::ReadOnly : TemplateStore::Access::ReadWrite;
    StoreLocation where = location;
    const bool ask = where.isServer() && where.password.isEmpty()
                     && qEnvironmentVariableIsEmpty("PGPASSWORD");
    if (ask) {
        const std::optional<QString> password
            = PasswordVault::passwordFor(sourceOf(where), StoreName);
        if (!password)
            throw RuntimeError(RuntimeError::StoreUnreachable,
                               where.toString() + QStringLiteral("：没有输入密码"));
        where.password = *password;
    }
    try {
        return std::make_unique<TemplateStore>(where, access);
    } catch (const RuntimeError &e) {
        if (ask && e.Number() == RuntimeError::StoreUnreachable)
            PasswordVault::forget(sourceOf(where));
        throw;
    }
}

TemplateStore &TemplateCatalogue::store()
{
    // The session's print runs read the document types of the store the
    // templates come from, without waiting for the options dialog.
    if (!m_store) {
        std::unique_ptr<TemplateStore> opened = open(location());
        opened->setWaitNotice(m_waitNotice);
        DocumentTypeCatalog::publish(*opened);
        m_store = std::move(opened);
    }
    return *m_store;
}

void TemplateCatalogue::setWaitNotice(std::function<void(bool waiting)> notice)
{
    m_waitNotice = std::move(notice);
    if (m_store)
        m_store->setWaitNotice(m_waitNotice);
}

void TemplateCatalogue::ReadBill(int16_t tmpID, BillTemplate &fresh)
{
    store().load(tmpID, fresh);
}
