// The lock program's state: its settings, the bar window with its launcher buttons and
// software menu, and the lockdown of the desktop that the bar stands in for.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "access_hot_keys.h"
#include "hook_thread.h"
#include "scoped_handles.h"
#include "settings.h"
#include "shell_hands.h"

// WM_COMMAND ids of the bar window.
inline constexpr int ID_MAIN_SOFTWARE = 100;
inline constexpr int ID_OTHER_SOFTWARE = 101;
// The software menu's item for entries[i] is ID_MENU_FIRST + i, separators counted too.
inline constexpr int ID_MENU_FIRST = 300;
// Posted to the bar when a program could not be started; lParam is the path, a new
// std::string that the bar deletes.
inline constexpr UINT WM_LAUNCH_FAILED = WM_APP + 1;

class LockBar {
public:
    LockBar() = default;
    LockBar(const LockBar&) = delete;
    LockBar& operator=(const LockBar&) = delete;
    // Hands the desktop back if the program ends while locked.
    virtual ~LockBar();

    // Builds the launcher buttons and the software menu from the settings, once, and tells
    // the hook library which window is the bar.
    void create_controls(HWND window);
    // Places the buttons side by side from `left`, as high as the bar's client area.
    void layout_buttons(int left, int height);
    // One WM_COMMAND of the bar: a button pressed or a menu item chosen.
    void on_command(WPARAM wparam);
    // Starts a program in its own directory, on a thread of its own: a start may take long
    // (network paths, zone checks, shell extensions), and the bar goes on answering meanwhile.
    // A start that fails is posted back as WM_LAUNCH_FAILED.
    void launch(const std::string& program);
    // Says that `program` could not be started.
    void report_launch_failure(const std::string& program);

    // Takes the desktop away: bar shown, taskbars hidden, desktop window disabled, screen
    // saver said to run, minimising refused, the system's keys and the accessibility hot keys
    // kept from the user. Nothing happens when already locked.
    void lock();
    // Gives it back; nothing happens when not locked. The shell's windows are handed back on
    // a worker (see shell_hands.h): the program's end waits a few seconds for them.
    void unlock();
    // The bar along the bottom edge of the screen, shown with a sizing frame or hidden without.
    void show_bar(bool show);
    void change_style(LONG remove, LONG add);
    bool is_locked() const { return locked != 0; }
    // The shell made a new taskbar (it restarted): while locked, that one is taken too.
    void on_taskbar_created();
    // While locked, takes what the shell showed or made since: a taskbar shown again, one for
    // a screen plugged in, a new desktop window. Called often, so it touches only those.
    void retake_shell_windows();
    // While locked, puts a fresh keyboard hook in place of one the system may have removed,
    // and the minimise hook in if it could not be put in so far.
    void renew_key_hook();

    Settings settings;
    HWND bar_window = nullptr;
    int locked = 0;
    // The shell windows that lock() found; null when there was none, and after unlock().
    HWND progman_window = nullptr;
    HWND tray_window = nullptr;
    HWND main_button = nullptr;
    HWND other_button = nullptr;
    OwnedMenu software_menu;
    // Taken besides tray_window and progman_window, at the lock or later while locked: the
    // taskbars of other screens, the windows holding the desktop's icons, any other shell
    // window of those kinds, one left over by a shell restart, say. Empty when not locked.
    std::vector<HWND> other_taskbars;
    std::vector<HWND> other_desktops;
    // Destroyed after unlock() has run: the program's end waits for the hand-back.
    ShellHands shell_hands;
    HookThread hooks;
    AccessHotKeys access_hot_keys;

private:
    // Hides every taskbar and disables every desktop window there is now, the main ones kept
    // apart in tray_window and progman_window.
    void take_shell_windows();
    // Hides `taskbars`, disables `desktops` and lists those that are not the main ones.
    void take_others(const std::vector<HWND>& taskbars, const std::vector<HWND>& desktops);
    void forget_gone_windows();
};
