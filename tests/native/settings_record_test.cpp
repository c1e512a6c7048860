// The settings record before any file is involved: defaults and resetting.
#include <gtest/gtest.h>

#include "settings.h"

namespace {

TEST(SettingsRecord, FreshRecordHasTheDefaults)
{
    const Settings settings("x\\kiv2.bin");
    EXPECT_EQ(settings.boss_password, "tovi");
    EXPECT_EQ(settings.follower_password, "tovi");
    EXPECT_EQ(settings.main_label, "");
    EXPECT_EQ(settings.main_program, "");
    EXPECT_TRUE(settings.entries.empty());
    EXPECT_EQ(settings.lock_at_startup, 0);
    EXPECT_EQ(settings.file_path, "x\\kiv2.bin");
}

TEST(SettingsRecord, ResetKeepsPathAndStartUpOption)
{
    Settings settings("x\\kiv2.bin");
    settings.lock_at_startup = 1;
    settings.boss_password = "a";
    settings.follower_password = "b";
    settings.main_label = "c";
    settings.main_program = "d";
    settings.entries.push_back({0, "e", "f"});
    settings.reset_to_defaults();
    EXPECT_EQ(settings.lock_at_startup, 1);
    EXPECT_EQ(settings.file_path, "x\\kiv2.bin");
    EXPECT_EQ(settings.boss_password, "tovi");
    EXPECT_EQ(settings.follower_password, "tovi");
    EXPECT_EQ(settings.main_label, "");
    EXPECT_EQ(settings.main_program, "");
    EXPECT_TRUE(settings.entries.empty());
}

TEST(SettingsRecord, WithoutAProgramPathTheFileIsRelative)
{
    // Natively there is no Windows program path to cut, as when GetModuleFileNameA fails.
    EXPECT_EQ(Settings().file_path, "kiv2.bin");
}

} // namespace
