#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// The document number an answer to "请输入单据号？" stands for: the number
// the answer begins with (sign and decimals allowed), rounded half to even;
// empty, non-numeric or cancelled answers give 0. No value when the number
// lies outside 32 bits: the caller refuses the run.
std::optional<int32_t> DocumentNumber(const QString &tmpAnswer);
