// The settings tool's browse buttons: the Open File dialog they show, and the path it gives.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "setting_tool_fixture.h"

namespace {

// The Open File dialog's file-type box, file-name box and read-only box.
constexpr int FILE_TYPES = 0x470, FILE_NAME = 0x47C, READ_ONLY = 0x410;

void choose(HWND open, const std::string& path)
{
    SendMessageA(GetDlgItem(open, FILE_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageA(open, WM_COMMAND, IDOK, 0);
}

struct BrowseCase {
    const char* name;
    int button;
    int edit;
    const char* file_types;
};

const BrowseCase BROWSES[] = {
    {"entry program", BROWSE_PROGRAM, PROGRAM, "すべてのファイル(*.*)"},
    {"main program", BROWSE_MAIN, MAIN_PROGRAM, "実行ファイル(*.exe)"},
};

TEST_F(SettingToolTest, BrowseFillsTheEditWithTheChosenPath)
{
    write_file([](Settings&) {});
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    // Only the switch makes the main program's browse button usable.
    tool.click(dialog, MAIN_SOFTWARE);
    const std::string chosen = dir.path() + "\\setting.exe";
    for (const BrowseCase& c : BROWSES) {
        for (const bool confirmed : {false, true}) {
            tool.click(dialog, c.button);
            HWND open = nullptr;
            ASSERT_TRUE(wait_until([&] { return (open = find_dialog_with(tool.pid(), FILE_TYPES)) != nullptr; }))
                << c.name;
            EXPECT_EQ(GetWindow(open, GW_OWNER), dialog) << c.name;
            EXPECT_EQ(control_text(GetDlgItem(open, FILE_TYPES)), c.file_types) << c.name;
            EXPECT_FALSE(IsWindowVisible(GetDlgItem(open, READ_ONLY))) << c.name;
            if (confirmed) {
                // The file must exist: a missing one is refused with a message, the dialog stays.
                choose(open, dir.path() + "\\missing.exe");
                EXPECT_FALSE(tool.answer_message().text.empty()) << c.name;
                EXPECT_TRUE(IsWindowVisible(open)) << c.name;
                choose(open, chosen);
            } else {
                PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
            }
            ASSERT_TRUE(wait_until([&] { return !IsWindow(open); })) << c.name;
            tool.settle(dialog);
            EXPECT_EQ(tool.text(dialog, c.edit), confirmed ? chosen : "") << c.name << confirmed;
        }
    }
    tool.click(dialog, IDCANCEL);
    EXPECT_TRUE(tool.ended());
}

} // namespace
