// The tool that writes a first settings file, run as an administrator would: copied into a
// directory of its own and started there.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "program_driver.h"
#include "settings.h"
#include "test_files.h"

namespace {

constexpr DWORD TIMEOUT_MS = 30000;

TEST(MakeSettingsFile, WritesTheFirstFileBesideItselfOnce)
{
    TempDir dir;
    const std::string tool = dir.path() + "\\make_settings_file.exe";
    const std::string file = dir.path() + "\\kiv2.bin";
    ASSERT_TRUE(copy_built_file("make_settings_file.exe", dir.path()));

    ASSERT_EQ(run_to_end(tool, "", TIMEOUT_MS), 0u);
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
    EXPECT_EQ(run_to_end(tool, "", TIMEOUT_MS), 1u);
    EXPECT_EQ(read_bytes(file), configured_bytes);
}

} // namespace
