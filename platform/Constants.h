#pragma once
#include <cstdint>
#include <limits>

// Every 32-bit integer field of the masters and of the work items uses this value for "not set".
inline constexpr int32_t kUnset = std::numeric_limits<int32_t>::min();

inline constexpr bool IsUnset(int32_t v) { return v == kUnset; }
