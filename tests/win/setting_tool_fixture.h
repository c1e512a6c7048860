// What the tests of the settings tool as a process share: setting.exe in a directory of its own
// with a crafted kiv2.bin, logged into and accepted as its user would.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "setting_driver.h"
#include "settings.h"
#include "test_files.h"
#include "user_interface.h"

using Fill = std::function<void(Settings&)>;

class SettingToolTest : public ::testing::Test {
protected:
    TempDir dir;
    const std::string file = dir.path() + "\\kiv2.bin";

    void write_file(const Fill& fill) const
    {
        Settings settings(file);
        fill(settings);
        ASSERT_TRUE(settings.save());
    }

    // The bytes that the settings store writes for the record that `fill` makes.
    static Bytes file_bytes(const Fill& fill)
    {
        TempDir other;
        Settings settings(other.path() + "\\kiv2.bin");
        fill(settings);
        EXPECT_TRUE(settings.save());
        return read_bytes(other / "kiv2.bin");
    }

    // Logs in as the boss of a file that `fill` made.
    HWND open_as_boss(SettingTool& tool, const std::string& password = "tovi")
    {
        Message notice;
        const HWND dialog = tool.log_in(password, &notice);
        EXPECT_EQ(notice.text, TEXT_BOSS);
        return dialog;
    }

    // Presses "設定" and waits for the tool to end.
    static void accept(SettingTool& tool, HWND dialog)
    {
        tool.click(dialog, ACCEPT);
        EXPECT_TRUE(tool.ended());
    }
};

// Types an entry into the edits and presses the button `id`.
inline auto type_and_click(const char* label, const char* program, int id)
{
    return [=](SettingTool& tool, HWND dialog) {
        tool.type(dialog, LABEL, label);
        tool.type(dialog, PROGRAM, program);
        tool.click(dialog, id);
    };
}
