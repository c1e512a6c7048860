// The settings file under failure and contention with the real Windows file calls: a save cut
// off at any write leaves the previous file whole, and a load that meets saves in progress
// reads one complete file or fails, never a mix of two.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "failing_files.h"
#include "file_backend.h"
#include "same_record.h"
#include "settings.h"
#include "test_files.h"

namespace {

// Two records that differ in every member and in length, so that any mix of their bytes is
// either unreadable or recognisably neither.
void fill_first(Settings& settings)
{
    settings.lock_at_startup = 1;
    settings.boss_password = "first boss";
    settings.follower_password = "first kid";
    settings.main_label = "first";
    settings.main_program = "C:\\first\\main.exe";
    settings.entries.assign(40, SoftwareEntry{0, "first entry", "C:\\first\\program.exe"});
}

void fill_second(Settings& settings)
{
    settings.lock_at_startup = 0;
    settings.boss_password = "second boss password";
    settings.follower_password = "kid";
    settings.main_label = "second label";
    settings.main_program.clear();
    settings.entries.assign(7, SoftwareEntry{1, "", ""});
}

class SettingsUnderStress : public ::testing::Test {
protected:
    TempDir dir;
    const std::string path = dir.path() + "\\kiv2.bin";
};

TEST_F(SettingsUnderStress, SaveCutOffAtAnyWriteLeavesTheOldFileLoadable)
{
    Settings first(path);
    fill_first(first);
    ASSERT_TRUE(first.save());
    const Bytes old_bytes = read_bytes(path);

    Settings second(path);
    fill_second(second);
    FailingFiles counter(platform_files());
    ASSERT_TRUE(second.save(counter));
    ASSERT_TRUE(first.save());

    for (int failing = 0; failing < counter.writes; ++failing) {
        FailingFiles files(platform_files());
        files.failing_write = failing;
        EXPECT_FALSE(second.save(files)) << "write " << failing;
        EXPECT_EQ(read_bytes(path), old_bytes) << "write " << failing;
        Settings loaded(path);
        EXPECT_TRUE(loaded.load() && same_record(loaded, first)) << "write " << failing;
        EXPECT_EQ(GetFileAttributesA((path + ".tmp").c_str()), INVALID_FILE_ATTRIBUTES) << "write " << failing;
    }
}

TEST_F(SettingsUnderStress, LoadsMeetingSavesReadOneWholeFileOrFail)
{
    Settings first(path);
    fill_first(first);
    Settings second(path);
    fill_second(second);
    ASSERT_TRUE(first.save());

    std::atomic<bool> done{false};
    int saves = 0;
    std::thread writer([&] {
        for (int i = 0; i < 300; ++i)
            saves += (i % 2 ? first : second).save() ? 1 : 0;
        done = true;
    });
    int whole = 0;
    int failed = 0;
    int mixed = 0;
    while (!done) {
        Settings loaded(path);
        if (!loaded.load())
            ++failed;
        else if (same_record(loaded, first) || same_record(loaded, second))
            ++whole;
        else
            ++mixed;
    }
    writer.join();
    EXPECT_EQ(mixed, 0);
    EXPECT_GT(whole, 0);
    // A save that meets a load refuses rather than waits; most of them get through.
    EXPECT_GT(saves, 0);
    RecordProperty("loads_whole", whole);
    RecordProperty("loads_failed", failed);
    RecordProperty("saves_done", saves);

    // Whatever the last save was, the file on disk is one of the two, whole.
    Settings last(path);
    ASSERT_TRUE(last.load());
    EXPECT_TRUE(same_record(last, first) || same_record(last, second));
}

} // namespace
