// How many bytes the settings tool's edits take: a stored text longer than its edit cannot be
// shown whole, and the tool refuses to save it unchanged.
#pragma once

#include <cstddef>

inline constexpr std::size_t TEXT_LIMIT = 255;
// "表示文字　全角8文字(半角16文字）まで"
inline constexpr std::size_t MAIN_LABEL_LIMIT = 16;
inline constexpr std::size_t PASSWORD_LIMIT = 255;
