#pragma once

#include <QString>

struct BillTemplate;

// The printer each template prints to on this machine: the one last chosen
// for it in the print dialog, kept in the settings store by the template's
// id.
namespace TemplatePrinter {

// The remembered printer while it is installed, else the system's default
// (else the first installed); empty when no printer is installed, and the
// run then writes a PDF file.
QString printerFor(const BillTemplate &bill);
// Remembers printer for a stored template; a template never saved has no id
// to keep it under and keeps nothing.
void remember(const BillTemplate &bill, const QString &printer);

} // namespace TemplatePrinter
