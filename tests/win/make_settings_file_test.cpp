// The tool that writes a first settings file, run as an administrator would: copied into a
// directory of its own and started there.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings.h"
#include "test_files.h"

namespace {

constexpr DWORD TIMEOUT_MS = 30000;

std::string beside_this_program(const char* name)
{
    char program[MAX_PATH];
    const std::string path(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
    return path.substr(0, path.rfind('\\') + 1) + name;
}

// Runs `program` without arguments and returns its exit code; a hung run is ended.
DWORD run(const std::string& program)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = "\"" + program + "\"";
    if (!CreateProcessA(
            program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ~DWORD{0};
    DWORD code = ~DWORD{0};
    if (WaitForSingleObject(process.hProcess, TIMEOUT_MS) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(MakeSettingsFile, WritesTheFirstFileBesideItselfOnce)
{
    TempDir dir;
    const std::string tool = dir.path() + "\\make_settings_file.exe";
    const std::string file = dir.path() + "\\kiv2.bin";
    ASSERT_TRUE(CopyFileA(beside_this_program("make_settings_file.exe").c_str(), tool.c_str(), TRUE));

    ASSERT_EQ(run(tool), 0u);
    const Bytes first = read_bytes(file);
    EXPECT_EQ(first.size(), 26u);
    EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    Settings settings(file);
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(settings.boss_password, "tovi");
    EXPECT_EQ(settings.follower_password, "tovi");
    EXPECT_TRUE(settings.entries.empty());

    // A second run must not touch an administrator's file.
    Settings configured(file);
    configured.boss_password = "secret";
    ASSERT_TRUE(configured.save());
    const Bytes configured_bytes = read_bytes(file);
    EXPECT_EQ(run(tool), 1u);
    EXPECT_EQ(read_bytes(file), configured_bytes);
}

} // namespace
