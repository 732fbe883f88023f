#pragma once

#include <QString>

class RuntimeError;

// The one way a command reports its failure: an exclamation box (OK only)
// titled with the executable's name. An empty message shows the current
// error instead, as "number:description " — pass the caught error.
void ShowErrMsg(const QString &tmpMsg, const RuntimeError *tmpErr = nullptr);

// The executable's file name without extension (title of error boxes).
QString AppExeName();
