// Where the settings file of a program lies.
#include "settings_file_path.h"

std::string settings_file_path_for(std::string_view program_path, LeadBytePredicate is_lead_byte)
{
    const std::size_t backslash = find_last_backslash(program_path, is_lead_byte);
    std::string path{backslash == std::string_view::npos ? program_path : program_path.substr(0, backslash + 1)};
    return path + SETTINGS_FILE_NAME;
}
