// The working directory of a started program.
#include "working_directory.h"

std::optional<std::string> working_directory_for(std::string_view program, LeadBytePredicate is_lead_byte)
{
    const std::size_t backslash = find_last_backslash(program, is_lead_byte);
    if (backslash == std::string_view::npos)
        return std::nullopt;
    return std::string(program.substr(0, backslash));
}
