#pragma once

struct BillTemplate;
struct DocumentData;
struct DocumentType;

// The warnings of a run that do not stop it, each shown once in a message
// box titled with the template.
namespace RunWarnings {

// Fields whose columns the type's queries no longer return print empty.
void MissingColumns(const BillTemplate &bill, const DocumentType &type, const DocumentData &data);
// Cells of the scrolling grid that start past the page never print; the
// run puts fewer lines on each page.
void GridOffThePage(const BillTemplate &bill);
// A value the template sums that is no number, named with its document,
// column and line; the totals that meet it print empty. Returns whether it
// warned, so that a run warns once.
bool UnreadableAmount(const BillTemplate &bill, const DocumentData &data);

} // namespace RunWarnings
