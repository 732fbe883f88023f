#pragma once

#include <QtGlobal>

struct BillTemplate;

// A digest of what pointer gestures and the layout commands change in a
// template: the page size and, for every object of the collection, whether
// it is shown and where it lies. Scrolling, the selection and the handles
// are no part of it, so comparing two digests tells a move from a click.
namespace LayoutDigest {

quint64 of(const BillTemplate &bill);

} // namespace LayoutDigest
