// Path rules for double-byte ANSI code pages.
#include "ansi_path.h"

bool is_cp932_lead_byte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t find_last_backslash(std::string_view path, LeadBytePredicate is_lead_byte)
{
    // Walk forward one character at a time: only a walk from the start knows whether a byte
    // is the trail byte of the character before it.
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (byte == '\\')
            last = i;
        else if (is_lead_byte(byte) && i + 1 < path.size())
            ++i;
    }
    return last;
}
