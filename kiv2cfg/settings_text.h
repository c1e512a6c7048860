// The settings record as a UTF-8 text that an administrator reads, edits and keeps under
// version control, and back. Every file the settings store writes comes back byte for byte:
// texts without an exact UTF-8 form keep their code page 932 bytes as \xNN escapes.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "settings.h"

std::string settings_to_text(const Settings& settings);

struct TextError {
    // Counted from 1; 0 when the error concerns the text as a whole.
    int line;
    std::string message;
};

// Fills `settings` (all but its file path) from `text`; the first error, or none. After an
// error the record is half filled and is to be dropped.
std::optional<TextError> settings_from_text(std::string_view text, Settings& settings);

// How a code page 932 text stands in the text form: as it is, or quoted with escapes when it
// holds what a line cannot show plainly.
std::string text_value(std::string_view cp932);

// The pieces one after the other: what messages are made of.
std::string join(std::initializer_list<std::string_view> parts);
