#include "Platform.h"

#include "Clock.h"
#include "FakeDialogs.h"
#include "FakePrinters.h"
#include "MemorySettingsStore.h"
#include "QtDialogs.h"
#include "QtPointerConfinement.h"
#include "QtPrinters.h"
#include "QtSettingsStore.h"
#include "RecordingPointerConfinement.h"

namespace {

struct Services
{
    std::unique_ptr<Dialogs> dialogs = std::make_unique<FakeDialogs>();
    std::unique_ptr<SettingsStore> settings = std::make_unique<MemorySettingsStore>();
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    std::unique_ptr<PointerConfinement> pointer = std::make_unique<RecordingPointerConfinement>();
    std::unique_ptr<Printers> printers = std::make_unique<FakePrinters>();
};

Services &services()
{
    static Services instance;
    return instance;
}

} // namespace

namespace Platform {

Dialogs &dialogs()
{
    return *services().dialogs;
}

SettingsStore &settings()
{
    return *services().settings;
}

Clock &clock()
{
    return *services().clock;
}

PointerConfinement &pointer()
{
    return *services().pointer;
}

Printers &printers()
{
    return *services().printers;
}

void setDialogs(std::unique_ptr<Dialogs> dialogs)
{
    services().dialogs = std::move(dialogs);
}

void setSettings(std::unique_ptr<SettingsStore> settings)
{
    services().settings = std::move(settings);
}

void setClock(std::unique_ptr<Clock> clock)
{
    services().clock = std::move(clock);
}

void setPointer(std::unique_ptr<PointerConfinement> pointer)
{
    services().pointer = std::move(pointer);
}

void setPrinters(std::unique_ptr<Printers> printers)
{
    services().printers = std::move(printers);
}

FakeDialogs &installFakes()
{
    auto fake = std::make_unique<FakeDialogs>();
    FakeDialogs &ref = *fake;
    setDialogs(std::move(fake));
    setSettings(std::make_unique<MemorySettingsStore>());
    setClock(std::make_unique<SystemClock>());
    setPointer(std::make_unique<RecordingPointerConfinement>());
    setPrinters(std::make_unique<FakePrinters>());
    return ref;
}

void installQtImplementations()
{
    setDialogs(std::make_unique<QtDialogs>());
    setSettings(std::make_unique<QtSettingsStore>());
    setClock(std::make_unique<SystemClock>());
    setPointer(std::make_unique<QtPointerConfinement>());
    setPrinters(std::make_unique<QtPrinters>());
}

} // namespace Platform
