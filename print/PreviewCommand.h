#pragma once

struct BillTemplate;

// The designer's preview command, on the template record: checks that
// something can be printed and that the template was saved, asks for the
// document number and starts the run (a demonstration for number 0).
namespace PreviewCommand {

// Whether the template has an object that is shown (not deleted).
bool HasPrintableContent(const BillTemplate &tmpBill);
void PreView(const BillTemplate &tmpBill);

} // namespace PreviewCommand
