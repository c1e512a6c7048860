// The same on POSIX systems, for native tests, fuzzing and the build's own tools.
#include "ansi_path.h"

// Without a Windows path to cut, files beside the program are in the current directory.
std::string program_file_path()
{
    return {};
}

bool is_ansi_lead_byte(unsigned char value)
{
    return is_cp932_lead_byte(value);
}
