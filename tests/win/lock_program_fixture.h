// The real Kivel2.exe, started in a directory of its own with a settings file made for the
// test, and driven from outside as the shell and a user would drive it: the fixture that the
// tests of the lock program as a whole share.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bar_geometry.h"
#include "program_driver.h"
#include "settings.h"
#include "test_files.h"
#include "user_interface.h"

inline BarRect expected_bar()
{
    return bar_rect({GetSystemMetrics(SM_CYEDGE), GetSystemMetrics(SM_CYFRAME), GetSystemMetrics(SM_CYSMICON),
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

inline bool has_bar_rect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const BarRect bar = expected_bar();
    return rect.left == bar.x && rect.top == bar.y && rect.right - rect.left == bar.width &&
        rect.bottom - rect.top == bar.height;
}

inline bool screen_saver_running()
{
    const RunningProgram reader(directory_of_this_program() + "\\screen_saver_state.exe", directory_of_this_program());
    return reader.exit_code() == 1;
}

inline HWND taskbar()
{
    return FindWindowA("Shell_TrayWnd", nullptr);
}

class LockProgram : public ::testing::Test {
protected:
    TempDir dir;
    Settings settings{dir.path() + "\\kiv2.bin"};

    void SetUp() override
    {
        for (const char* file : {"Kivel2.exe", "KivPx.dll", "record_start.exe"})
            ASSERT_TRUE(copy_built_file(file, dir.path())) << file;
        settings.boss_password = "boss";
        settings.follower_password = "kid";
        // The bench's desktop ends when idle. Asking for it brings a new one, whose taskbar
        // comes a moment later.
        GetDesktopWindow();
        ASSERT_TRUE(wait_until([] { return IsWindowVisible(taskbar()) != FALSE; })) << "no taskbar on the bench";
    }

    // A test that failed half-way must not leave the next one without a taskbar. (The
    // screen-saver setting is left to the next lock program: Wine keeps a process's own
    // setting cached once it has set it, so this process only ever reads it.)
    void TearDown() override
    {
        end_cleanly();
        program.reset();
        if (HWND shell_taskbar = taskbar())
            ShowWindow(shell_taskbar, SW_SHOWNA);
    }

    // Ends a program that a test left running the way a user would, so that it removes its
    // hook itself: Wine keeps the hook of a killed program working in other processes.
    void end_cleanly()
    {
        if (!program || !program->is_running() || !IsWindow(bar))
            return;
        if (IsWindowVisible(bar) && !find_dialog_of(program->id(), PASSWORD_TITLE))
            answer_password(settings.boss_password, false);
        else
            PostMessageA(bar, WM_CLOSE, 0, 0);
        program->exit_code();
    }

    std::string in_dir(const char* name) const { return dir.path() + "\\" + name; }

    // Saves the settings and starts the program; waits until its bar window exists and the
    // start-up layout has placed it (hidden, or shown when it locks at once).
    void start()
    {
        ASSERT_TRUE(settings.save());
        run_program();
    }

    // Starts the program on whatever settings file the directory holds.
    void run_program()
    {
        program = std::make_unique<RunningProgram>(in_dir("Kivel2.exe"), dir.path());
        ASSERT_TRUE(program->started());
        ASSERT_TRUE(wait_until([&] {
            bar = find_window_of(program->id(), BAR_CLASS, BAR_TITLE);
            return bar && has_bar_rect(bar);
        })) << "no bar window laid out";
    }

    // What the desktop looks like, in words that a failed wait can print.
    std::string desktop_state() const
    {
        return std::string(IsWindowVisible(bar) ? "bar shown" : "bar hidden") +
            (IsWindowVisible(taskbar()) ? ", taskbar shown" : ", taskbar hidden") +
            (screen_saver_running() ? ", screen saver on" : ", screen saver off");
    }
    bool locked_state() const { return desktop_state() == LOCKED; }
    bool resident_state() const { return desktop_state() == RESIDENT; }
    static constexpr char LOCKED[] = "bar shown, taskbar hidden, screen saver on";
    static constexpr char RESIDENT[] = "bar hidden, taskbar shown, screen saver off";

    void lock_by_tray()
    {
        PostMessageA(bar, WM_TRAYNOTIFY, 1, WM_LBUTTONDBLCLK);
        ASSERT_TRUE(wait_until([&] { return locked_state(); })) << desktop_state();
    }

    // Shift + right button on the bar; the password dialog that it opens.
    HWND open_password_dialog()
    {
        PostMessageA(bar, WM_RBUTTONDOWN, MK_SHIFT | MK_RBUTTON, MAKELPARAM(300, 5));
        HWND dialog = nullptr;
        wait_until([&] { return (dialog = find_dialog_of(program->id(), PASSWORD_TITLE)) != nullptr; });
        return dialog;
    }

    void answer_password(const std::string& password, bool stay_resident)
    {
        HWND dialog = open_password_dialog();
        ASSERT_TRUE(dialog);
        SendMessageA(GetDlgItem(dialog, PASSWORD_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(password.c_str()));
        SendMessageA(GetDlgItem(dialog, STAY_RESIDENT), BM_SETCHECK, stay_resident ? BST_CHECKED : BST_UNCHECKED, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(wait_until([&] { return !IsWindow(dialog); }));
    }

    // A message box of the program with the caption given, once it is up.
    HWND wait_for_message_box(const char* caption) const
    {
        HWND box = nullptr;
        wait_until([&] { return (box = find_dialog_of(program->id(), caption)) != nullptr; });
        return box;
    }

    // Lets the program handle everything posted to it so far. Posted messages are handled in
    // order, so once a marker posted last is seen handled, the rest has been too. (A sent
    // message would not do: it is handled before anything posted.) The marker is the bar's
    // big icon, which nothing shows (a tool window has neither caption nor taskbar button): the
    // class's icon and none in turn. The bar starts with none, and asked for it, a window
    // answers with its own icon, never the class's, so each wait ends only on the marker.
    void settle()
    {
        settle_marker = settle_marker ? nullptr : reinterpret_cast<HICON>(GetClassLongPtrA(bar, GCLP_HICON));
        PostMessageA(bar, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(settle_marker));
        EXPECT_TRUE(wait_until([&] {
            DWORD_PTR icon = 0;
            SendMessageTimeoutA(bar, WM_GETICON, ICON_BIG, 0, SMTO_BLOCK, WAIT_MS, &icon);
            return reinterpret_cast<HICON>(icon) == settle_marker;
        })) << "the program did not get through its messages";
    }

    std::unique_ptr<RunningProgram> program;
    HWND bar = nullptr;
    HICON settle_marker = nullptr;
};
