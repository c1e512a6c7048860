// The installer and its uninstaller run to their end as an administrator's script runs them,
// and what they leave behind read back: files, shortcuts, version blocks, manifests.
#pragma once

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "kivel_version.h"
#include "program_driver.h"

inline constexpr DWORD INSTALL_MS = 60000;
// The installer's exit code when it refuses because Kivel2.exe runs.
inline constexpr DWORD EXIT_REFUSED = 2;
// ... and when the file given with /SETTINGS= cannot be imported.
inline constexpr DWORD EXIT_BAD_SETTINGS = 3;

// The installer that the `packages` target leaves beside the build's programs.
inline std::string installer_path()
{
    return directory_of_this_program() + "\\..\\packages\\Kivel2-" KIVEL_VERSION_TEXT "-win64-setup.exe";
}

inline bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool is_hidden(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

inline std::string shell_folder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

inline std::string start_menu_folder()
{
    return shell_folder(CSIDL_COMMON_PROGRAMS) + "\\Kivel2";
}

inline std::string startup_shortcut()
{
    return shell_folder(CSIDL_COMMON_STARTUP) + "\\Kivel2.lnk";
}

inline bool uninstall_entry_exists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Kivel2", 0,
            KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// "2.0.0.0" from the fixed part of a file's version block; empty when it has none.
inline std::string file_version(const std::string& path)
{
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeA(path.c_str(), &ignored), '\0');
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() || !GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &size) || !fixed)
        return {};
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
        "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS));
}

// The level="..." that a program's embedded manifest requests; empty without one.
inline std::string requested_execution_level(const std::string& program)
{
    const HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC resource = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    const HGLOBAL data = resource ? LoadResource(module, resource) : nullptr;
    const std::string manifest = data
        ? std::string(static_cast<const char*>(LockResource(data)), SizeofResource(module, resource))
        : std::string();
    if (module)
        FreeLibrary(module);
    constexpr char key[] = "requestedExecutionLevel level=\"";
    const std::size_t start = manifest.find(key);
    if (start == std::string::npos)
        return {};
    const std::size_t value = start + sizeof key - 1;
    return manifest.substr(value, manifest.find('"', value) - value);
}

// Runs a program to its end, as long as an installation may take.
inline DWORD run_to_end(const std::string& program, const std::string& arguments)
{
    return run_to_end(program, arguments, INSTALL_MS);
}

// An installation into `folder` (made by the installer if missing) and its removal.
class Installation {
public:
    explicit Installation(std::string folder) : folder_(std::move(folder)) {}

    const std::string& folder() const { return folder_; }
    std::string file(const std::string& name) const { return folder_ + "\\" + name; }

    // Silent, as a deployment script runs it; `options` come before /D, which must be last.
    DWORD install(const std::string& options = "") const
    {
        return run_to_end(installer_path(), "/S " + (options.empty() ? "" : options + " ") + "/D=" + folder_);
    }
    // Run in place (_?=), so that the exit code is the uninstaller's own rather than that of
    // the copy it would otherwise start from the temporary folder and leave running.
    DWORD uninstall_in_place() const { return run_to_end(file("uninstall.exe"), "/S _?=" + folder_); }

private:
    std::string folder_;
};

// A value of the lock program's event log source, a number in decimal; empty when the value
// or the source is missing.
inline std::string event_source_value(const char* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Kivel2", 0,
            KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    char data[MAX_PATH + 1] = "";
    DWORD size = MAX_PATH;
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return {};
    return type == REG_DWORD ? std::to_string(*reinterpret_cast<const DWORD*>(data)) : std::string(data);
}

// Message `id` of a program's message table with `insert` as its %1, as Event Viewer shows
// it, without the line end that ends every message.
inline std::string message_text(const std::string& program, DWORD id, const char* insert)
{
    const HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    DWORD_PTR arguments[] = {reinterpret_cast<DWORD_PTR>(insert)};
    char* text = nullptr;
    const DWORD length = module
        ? FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_ARGUMENT_ARRAY,
              module, id, 0, reinterpret_cast<char*>(&text), 0, reinterpret_cast<va_list*>(arguments))
        : 0;
    std::string message(text ? text : "", length);
    LocalFree(text);
    if (module)
        FreeLibrary(module);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}
