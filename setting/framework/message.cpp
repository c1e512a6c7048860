// Message boxes with the program's title as caption.
#include "message.h"

#include "ansi_path.h"

std::string program_title()
{
    const std::string path = program_file_path();
    // The directory may hold a trail byte 0x5C; no ASCII '.' can be a trail byte.
    const std::size_t backslash = find_last_backslash(path, is_ansi_lead_byte);
    std::string name = backslash == std::string::npos ? path : path.substr(backslash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

int show_text(const std::string& text, UINT icon, HWND owner)
{
    return MessageBoxA(owner, text.c_str(), program_title().c_str(), MB_OK | icon);
}

int show_message(UINT id, UINT icon, HWND owner)
{
    return show_text(string_resource(id), icon, owner);
}

std::string string_resource(UINT id)
{
    char text[1024];
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}
