// Launcher controls and the desktop lockdown.
#include "lock_bar.h"

#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "ansi_path.h"
#include "bar_geometry.h"
#include "event_log.h"
#include "kivpx.h"
#include "scoped_handles.h"
#include "shell_windows.h"
#include "texts.h"
#include "window_instance.h"
#include "working_directory.h"

namespace {

HWND create_button(HWND bar, const char* caption, int id)
{
    return CreateWindowExA(0, "BUTTON", caption, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, bar,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), window_instance(bar), nullptr);
}

OwnedMenu create_software_menu(const std::vector<SoftwareEntry>& entries)
{
    OwnedMenu menu(CreatePopupMenu());
    if (!menu)
        return menu;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const UINT_PTR id = ID_MENU_FIRST + i;
        if (entries[i].is_separator)
            AppendMenuA(menu.get(), MF_SEPARATOR, id, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING, id, entries[i].label.c_str());
    }
    return menu;
}

// Window handles are 32-bit values on every Windows, so the library's int holds one whole.
int handle_value(HWND window)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(window));
}

bool contains(const std::vector<HWND>& windows, HWND window)
{
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

// Adds the windows found, but neither `main` nor one already listed, to `others`.
void add_others(std::vector<HWND>& others, const std::vector<HWND>& found, HWND main)
{
    for (HWND window : found)
        if (window != main && !contains(others, window))
            others.push_back(window);
}

struct ProgramStart {
    HWND bar;
    std::string program;
};

DWORD WINAPI start_program(void* context)
{
    const std::unique_ptr<ProgramStart> start(static_cast<ProgramStart*>(context));
    const std::optional<std::string> directory = working_directory_for(start->program, is_ansi_lead_byte);
    const HINSTANCE result = ShellExecuteA(
        nullptr, nullptr, start->program.c_str(), nullptr, directory ? directory->c_str() : nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<UINT_PTR>(result) > 32)
        return 0;
    auto* failed = new std::string(std::move(start->program));
    if (!PostMessageA(start->bar, WM_LAUNCH_FAILED, 0, reinterpret_cast<LPARAM>(failed)))
        delete failed;
    return 0;
}

} // namespace

LockBar::~LockBar()
{
    unlock();
}

void LockBar::create_controls(HWND window)
{
    bar_window = window;
    const bool has_main_software = !settings.main_program.empty();
    if (has_main_software)
        main_button = create_button(window, settings.main_label.c_str(), ID_MAIN_SOFTWARE);
    if (!settings.entries.empty())
        other_button =
            create_button(window, has_main_software ? TEXT_OTHER_SOFTWARE : TEXT_SOFTWARE, ID_OTHER_SOFTWARE);
    SetKivel(handle_value(window));
    if (!settings.entries.empty())
        software_menu = create_software_menu(settings.entries);
}

void LockBar::layout_buttons(int left, int height)
{
    for (HWND button : {main_button, other_button}) {
        if (!button)
            continue;
        MoveWindow(button, left, 0, BUTTON_WIDTH, height, TRUE);
        left += BUTTON_WIDTH;
    }
}

void LockBar::on_command(WPARAM wparam)
{
    const int id = LOWORD(wparam);
    if (id == ID_MAIN_SOFTWARE) {
        launch(settings.main_program);
    } else if (id == ID_OTHER_SOFTWARE) {
        if (!software_menu)
            return;
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackPopupMenu(software_menu.get(), TPM_VCENTERALIGN, cursor.x, cursor.y, 0, bar_window, nullptr);
    } else if (id >= ID_MENU_FIRST && static_cast<std::size_t>(id - ID_MENU_FIRST) < settings.entries.size()) {
        // A copy: the message box of a failed start runs a message loop of its own.
        const SoftwareEntry entry = settings.entries[static_cast<std::size_t>(id - ID_MENU_FIRST)];
        if (!entry.is_separator)
            launch(entry.program);
    }
}

void LockBar::launch(const std::string& program)
{
    auto* start = new ProgramStart{bar_window, program};
    const OwnedHandle thread(CreateThread(nullptr, 0, start_program, start, 0, nullptr));
    if (thread)
        return;
    delete start;
    report_launch_failure(program);
}

void LockBar::report_launch_failure(const std::string& program)
{
    audit_trail().launch_failed(program);
    const std::string message = TEXT_LAUNCH_FAILED_BEFORE + program + TEXT_LAUNCH_FAILED_AFTER;
    MessageBoxA(bar_window, message.c_str(), PROGRAM_NAME, MB_ICONWARNING);
}

void LockBar::lock()
{
    if (locked)
        return;
    // The keyboard hook first: no Windows key reaches the shell while the rest is taken.
    hooks.start();
    show_bar(true);
    take_shell_windows();
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, TRUE, nullptr, 0);
    access_hot_keys.switch_off();
    locked = 1;
    audit_trail().locked();
}

void LockBar::unlock()
{
    if (!locked)
        return;
    // What lock() found is shown and enabled, whatever state it was in before.
    if (tray_window) {
        shell_hands.act(tray_window, ShellAction::show);
        tray_window = nullptr;
    }
    for (HWND taskbar : std::exchange(other_taskbars, {}))
        shell_hands.act(taskbar, ShellAction::show);
    if (progman_window) {
        shell_hands.act(progman_window, ShellAction::enable);
        progman_window = nullptr;
    }
    for (HWND desktop : std::exchange(other_desktops, {}))
        shell_hands.act(desktop, ShellAction::enable);
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    access_hot_keys.restore();
    show_bar(false);
    locked = 0;
    // The keyboard hook last: it guards everything before.
    hooks.stop();
}

void LockBar::on_taskbar_created()
{
    if (!locked)
        return;
    // One of the old shell's windows that is still there is found again below and stays
    // taken, so that unlock hands back everything.
    forget_gone_windows();
    take_shell_windows();
}

void LockBar::retake_shell_windows()
{
    if (!locked)
        return;
    forget_gone_windows();
    std::vector<HWND> shown = find_taskbars();
    std::erase_if(shown, [](HWND window) { return !IsWindowVisible(window); });
    std::vector<HWND> enabled = find_desktop_windows();
    std::erase_if(enabled, [](HWND window) { return !IsWindowEnabled(window); });
    take_others(shown, enabled);
}

void LockBar::take_others(const std::vector<HWND>& taskbars, const std::vector<HWND>& desktops)
{
    add_others(other_taskbars, taskbars, tray_window);
    add_others(other_desktops, desktops, progman_window);
    for (HWND taskbar : taskbars)
        shell_hands.act(taskbar, ShellAction::hide);
    for (HWND desktop : desktops)
        shell_hands.act(desktop, ShellAction::disable);
}

void LockBar::forget_gone_windows()
{
    const auto gone = [](HWND window) { return !IsWindow(window); };
    std::erase_if(other_taskbars, gone);
    std::erase_if(other_desktops, gone);
}

void LockBar::renew_key_hook()
{
    if (locked)
        hooks.renew();
}

void LockBar::take_shell_windows()
{
    // The main windows are among all those found below, which are all taken.
    tray_window = find_taskbar();
    progman_window = find_desktop_window();
    // A window taken as one of the others before may be the main one now.
    std::erase(other_taskbars, tray_window);
    std::erase(other_desktops, progman_window);
    take_others(find_taskbars(), find_desktop_windows());
}

void LockBar::show_bar(bool show)
{
    if (!IsWindow(bar_window))
        return;
    BarMetrics metrics{};
    metrics.edge_height = GetSystemMetrics(SM_CYEDGE);
    metrics.frame_height = GetSystemMetrics(SM_CYFRAME);
    metrics.small_icon_height = GetSystemMetrics(SM_CYSMICON);
    metrics.screen_width = GetSystemMetrics(SM_CXSCREEN);
    metrics.screen_height = GetSystemMetrics(SM_CYSCREEN);
    const BarRect bar = bar_rect(metrics);
    // The frame is drawn but cannot be dragged: the bar answers its hit tests as client area.
    if (show) {
        change_style(0, WS_THICKFRAME);
        ShowWindow(bar_window, SW_SHOWNA);
    } else {
        change_style(WS_THICKFRAME, 0);
        ShowWindow(bar_window, SW_HIDE);
    }
    MoveWindow(bar_window, bar.x, bar.y, bar.width, bar.height, TRUE);
}

void LockBar::change_style(LONG remove, LONG add)
{
    const LONG style = GetWindowLongA(bar_window, GWL_STYLE);
    SetWindowLongA(bar_window, GWL_STYLE, (style & ~remove) | add);
}
