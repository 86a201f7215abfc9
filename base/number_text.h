#pragma once
// A whole number as typed: what strtol reads (white space, a sign, digits) with nothing after it.
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int32_t> ParseWholeNumber(std::string_view text, int32_t low, int32_t high);
