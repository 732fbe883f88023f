#pragma once

#include <cstdint>

struct DocumentData;
struct DocumentType;

// Reading the one document of a preview or print from the designer: on a
// worker thread with a connection of its own, while a progress dialog with
// 取消 keeps the program alive, so a slow query never freezes it. The read
// gives up by itself after the type's time limit. Without a running
// application (a batch, a test without widgets) it reads on the caller's
// thread.
namespace DocumentReading {

// The dialog appears only for a read that takes longer than this.
inline constexpr int ShowAfterMs = 400;

// Throws RuntimeError as DocumentSource::read does; DataSourceCancelled
// when the user cancelled.
DocumentData read(const DocumentType &type, int32_t billNo);

} // namespace DocumentReading
