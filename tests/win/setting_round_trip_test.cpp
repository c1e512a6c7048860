// What the settings tool saves is what the lock program shows.
#include <windows.h>

#include <gtest/gtest.h>

#include "setting_tool_fixture.h"

namespace {

TEST_F(SettingToolTest, TheLockProgramLoadsWhatTheToolSaved)
{
    write_file([](Settings&) {});
    SettingTool tool(dir.path());
    const HWND dialog = open_as_boss(tool);
    ASSERT_TRUE(dialog);
    type_and_click("one", "one.exe", ADD)(tool, dialog);
    tool.click(dialog, MAIN_SOFTWARE);
    tool.type(dialog, MAIN_LABEL, "メイン");
    tool.type(dialog, MAIN_PROGRAM, "main.exe");
    tool.settle(dialog);
    accept(tool, dialog);

    for (const char* name : {"Kivel2.exe", "KivPx.dll"})
        ASSERT_TRUE(copy_built_file(name, dir.path())) << name;
    RunningProgram lock(dir.path() + "\\Kivel2.exe", dir.path());
    ASSERT_TRUE(lock.started());
    HWND bar = nullptr;
    // Its launcher buttons: the main software, and the menu of the registered software.
    ASSERT_TRUE(wait_until([&] {
        return (bar = find_window_of(lock.id(), BAR_CLASS, BAR_TITLE)) && GetDlgItem(bar, OTHER_SOFTWARE_BUTTON);
    }));
    EXPECT_EQ(window_text(GetDlgItem(bar, MAIN_SOFTWARE_BUTTON)), "メイン");
    EXPECT_EQ(window_text(GetDlgItem(bar, OTHER_SOFTWARE_BUTTON)), TEXT_OTHER_SOFTWARE);
    // Not locked: it ends when its window is closed.
    PostMessageA(bar, WM_CLOSE, 0, 0);
    EXPECT_NE(lock.exit_code(), ~DWORD{0});
}

} // namespace
