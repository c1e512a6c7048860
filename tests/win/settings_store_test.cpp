// The settings store on Windows for real: hidden files, exclusive opens, the atomic replace
// and the file placed beside the running program.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "failing_files.h"
#include "file_backend.h"
#include "scoped_handles.h"
#include "settings.h"
#include "test_files.h"

namespace {

// A handle that lets everyone else share the file, as another program might hold it.
class OtherHandle {
public:
    explicit OtherHandle(const std::string& path, DWORD access = GENERIC_READ)
        : handle_(CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
              OPEN_EXISTING, 0, nullptr))
    {
    }
    bool is_open() const { return static_cast<bool>(handle_); }

private:
    OwnedFile handle_;
};

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class WinSettingsFile : public ::testing::Test {
protected:
    TempDir dir;
    const std::string path = dir.path() + "\\kiv2.bin";

    bool save_sample() const
    {
        Settings settings(path);
        settings.main_label = "main";
        settings.main_program = "C:\\windows\\notepad.exe";
        settings.entries = {{0, "Notepad", "notepad.exe"}, {1, "", ""}};
        return settings.save();
    }
};

TEST_F(WinSettingsFile, SavedFileIsHiddenAndCurrentVersion)
{
    Settings settings(path);
    ASSERT_TRUE(settings.save());
    // A second save replaces the hidden file that the first one left.
    settings.lock_at_startup = 1;
    ASSERT_TRUE(settings.save());

    const DWORD attributes = GetFileAttributesA(path.c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    const Bytes bytes = read_bytes(path);
    ASSERT_EQ(bytes.size(), 26u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "KIVL3");
    EXPECT_EQ(bytes[5], 1);
    EXPECT_FALSE(exists(path + ".tmp"));
}

// Other readers are welcome; a file that someone may be writing is waited for a while, then given up.
TEST_F(WinSettingsFile, FileHeldByAWriterDoesNotLoad)
{
    ASSERT_TRUE(save_sample());
    Settings settings(path);
    {
        OtherHandle reader(path);
        ASSERT_TRUE(reader.is_open());
        EXPECT_TRUE(settings.load());
    }
    {
        OtherHandle writer(path, GENERIC_WRITE);
        ASSERT_TRUE(writer.is_open());
        EXPECT_FALSE(settings.load());
    }
    EXPECT_TRUE(settings.load());
    EXPECT_EQ(settings.entries.size(), 2u);
}

struct FailedSaveCase {
    const char* name;
    // Prepares the failure and returns what undoes it.
    std::function<std::function<void()>(const std::string& path, FailingFiles& files)> arrange;
};

const FailedSaveCase FAILED_SAVES[] = {
    {"read-only file",
        [](const std::string& path, FailingFiles&) -> std::function<void()> {
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
            return [path] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); };
        }},
    {"file held open elsewhere",
        [](const std::string& path, FailingFiles&) -> std::function<void()> {
            auto other = std::make_shared<OtherHandle>(path);
            return [other]() mutable { other.reset(); };
        }},
    {"write fails",
        [](const std::string&, FailingFiles& files) -> std::function<void()> {
            files.failing_write = 0;
            return [] {};
        }},
    {"flush fails",
        [](const std::string&, FailingFiles& files) -> std::function<void()> {
            files.fail_flush = true;
            return [] {};
        }},
};

TEST_F(WinSettingsFile, FailedSaveLeavesThePreviousFile)
{
    for (const FailedSaveCase& c : FAILED_SAVES) {
        ASSERT_TRUE(save_sample()) << c.name;
        const Bytes before = read_bytes(path);
        Settings changed(path);
        changed.main_label = "changed";

        FailingFiles files(platform_files());
        const std::function<void()> undo = c.arrange(path, files);
        EXPECT_FALSE(changed.save(files)) << c.name;
        undo();
        EXPECT_EQ(read_bytes(path), before) << c.name;
        EXPECT_FALSE(exists(path + ".tmp")) << c.name;
    }
}

TEST_F(WinSettingsFile, WorksInADirectoryWhoseNameHasTrailByte5C)
{
    const std::string table_dir = dir.path() + "\\\x95\x5C"; // 表
    ASSERT_TRUE(CreateDirectoryA(table_dir.c_str(), nullptr));
    const std::string file = table_dir + "\\kiv2.bin";
    Settings written(file);
    written.main_label = "abc";
    ASSERT_TRUE(written.save());
    Settings read(file);
    ASSERT_TRUE(read.load());
    EXPECT_EQ(read.main_label, "abc");
    DeleteFileA(file.c_str());
    RemoveDirectoryA(table_dir.c_str());
}

TEST(WinSettingsPath, FileLiesBesideTheProgram)
{
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string program_path(program, length);
    const std::string file_path = Settings().file_path;
    EXPECT_EQ(file_path, program_path.substr(0, program_path.rfind('\\')) + "\\kiv2.bin");
}

} // namespace
