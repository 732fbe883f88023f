#pragma once

#include "platform/RuntimeError.h"

#include <optional>

// The error a call throws, or none.
template<typename F>
std::optional<RuntimeError> errorOf(F &&call)
{
    try {
        call();
    } catch (const RuntimeError &e) {
        return e;
    }
    return std::nullopt;
}
