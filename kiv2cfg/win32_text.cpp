// kiv2cfg on Windows: the code-page API converts, strictly (no best fit, no invalid input).
#include <windows.h>

#include "ansi_path.h"
#include "platform_text.h"

namespace {

constexpr UINT CP_SHIFT_JIS = 932;

std::optional<std::wstring> wide_from(UINT code_page, std::string_view text)
{
    if (text.empty())
        return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length);
    return wide;
}

std::optional<std::string> narrow_to(UINT code_page, const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    // UTF-8 takes neither the flag nor the default-character report.
    const DWORD flags = code_page == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL defaulted = FALSE;
    BOOL* report = code_page == CP_UTF8 ? nullptr : &defaulted;
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(code_page, flags, wide.data(), size, nullptr, 0, nullptr, report);
    if (length <= 0 || defaulted)
        return std::nullopt;
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(code_page, flags, wide.data(), size, narrow.data(), length, nullptr, report);
    if (defaulted)
        return std::nullopt;
    return narrow;
}

std::optional<std::string> convert(UINT from, UINT to, std::string_view text)
{
    const std::optional<std::wstring> wide = wide_from(from, text);
    return wide ? narrow_to(to, *wide) : std::nullopt;
}

} // namespace

std::optional<std::string> utf8_from_cp932(std::string_view cp932)
{
    return convert(CP_SHIFT_JIS, CP_UTF8, cp932);
}

std::optional<std::string> cp932_from_utf8(std::string_view utf8)
{
    return convert(CP_UTF8, CP_SHIFT_JIS, utf8);
}

void write_text(std::FILE* stream, std::string_view utf8)
{
    // A console shows its own code page; redirected output stays UTF-8.
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    const std::optional<std::wstring> wide = wide_from(CP_UTF8, utf8);
    if (wide && GetConsoleMode(handle, &mode)) {
        std::fflush(stream);
        DWORD written = 0;
        WriteConsoleW(handle, wide->data(), static_cast<DWORD>(wide->size()), &written, nullptr);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

// As the shell would find it: a bare name on the search path, with ".exe" when it has no
// extension; a path as it stands.
std::optional<bool> program_found(const std::string& path)
{
    // A trail byte may be 0x5C; a slash or a colon never is one.
    if (find_last_backslash(path, is_cp932_lead_byte) == std::string::npos &&
        path.find_first_of("/:") == std::string::npos) {
        char found[MAX_PATH];
        return SearchPathA(nullptr, path.c_str(), ".exe", MAX_PATH, found, nullptr) != 0;
    }
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
