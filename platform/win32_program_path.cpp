// The running program's path and the ANSI code page on Windows.
#include <windows.h>

#include "ansi_path.h"

std::string program_file_path()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

bool is_ansi_lead_byte(unsigned char value)
{
    return IsDBCSLeadByte(value) != FALSE;
}
