#pragma once

#include <QString>

// Whether two names reach one file: by device and inode where both exist,
// so symbolic and hard links are seen through; otherwise by the path with
// its folder's links resolved.
namespace FileIdentity {

bool sameFile(const QString &a, const QString &b);

} // namespace FileIdentity
