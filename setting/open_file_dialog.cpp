// The Open File dialog.
#include "open_file_dialog.h"

#include "ansi_path.h"
#include "file_filter.h"

OPENFILENAMEA open_file_request(HWND owner, const std::string& filter, char (&path)[MAX_PATH])
{
    path[0] = '\0';
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return request;
}

std::optional<std::string> ask_open_file(HWND owner, const char* written_filter)
{
    const std::string filter = file_filter(written_filter, is_ansi_lead_byte);
    char path[MAX_PATH];
    OPENFILENAMEA request = open_file_request(owner, filter, path);
    if (!GetOpenFileNameA(&request))
        return std::nullopt;
    return std::string(path);
}
