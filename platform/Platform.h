#pragma once

#include <memory>

class Clock;
class Dialogs;
class FakeDialogs;
class PointerConfinement;
class Printers;
class SettingsStore;

// Where the rest of the program finds the platform services. Until the
// program installs the Qt ones, scripted fakes answer, so a test can never
// block on a real modal box.
namespace Platform {

Dialogs &dialogs();
SettingsStore &settings();
Clock &clock();
PointerConfinement &pointer();
Printers &printers();

void setDialogs(std::unique_ptr<Dialogs> dialogs);
void setSettings(std::unique_ptr<SettingsStore> settings);
void setClock(std::unique_ptr<Clock> clock);
void setPointer(std::unique_ptr<PointerConfinement> pointer);
void setPrinters(std::unique_ptr<Printers> printers);

// Installs the fakes again (FakeDialogs, MemorySettingsStore, SystemClock,
// RecordingPointerConfinement, FakePrinters without printers) and returns
// the fresh FakeDialogs.
FakeDialogs &installFakes();
// The program's own services.
void installQtImplementations();

} // namespace Platform
