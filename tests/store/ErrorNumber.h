#pragma once

#include "platform/RuntimeError.h"

#include <QString>

// The number of the RuntimeError f throws, 0 when it throws none; its
// description too when asked.
template<typename F>
int errorOf(F &&f, QString *description = nullptr)
{
    try {
        f();
    } catch (const RuntimeError &e) {
        if (description)
            *description = e.Description();
        return e.Number();
    }
    return 0;
}
