// Finding, taking and handing back the shell's windows. The mark is set before a window is
// taken and cleared after it is handed back, so an abnormal end between the two steps leaves
// at worst a mark on a window that is usable anyway.
#include "shell_windows.h"

#include <algorithm>

#include "texts.h"

namespace {

// The taskbar is found by class alone, the desktop window by class and title.
constexpr char TASKBAR_CLASS[] = "Shell_TrayWnd";
constexpr char SECONDARY_TASKBAR_CLASS[] = "Shell_SecondaryTrayWnd";
constexpr char DESKTOP_CLASS[] = "Progman";
constexpr char DESKTOP_TITLE[] = "Program Manager";
// The desktop's icon view. The shell often moves it out of the desktop window into a window of
// its own ("WorkerW": a wallpaper slideshow, after Task View), which is taken like the desktop.
constexpr char DESKTOP_VIEW_CLASS[] = "SHELLDLL_DefView";

const HANDLE MARKED = reinterpret_cast<HANDLE>(1);

bool is_marked(HWND window)
{
    return GetPropA(window, TAKEN_MARK) != nullptr;
}

std::vector<HWND> find_all(const char* window_class, const char* title)
{
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, window_class, title); window;
         window = FindWindowExA(nullptr, window, window_class, title))
        found.push_back(window);
    return found;
}

BOOL CALLBACK add_if_desktop_view(HWND window, LPARAM found)
{
    auto& windows = *reinterpret_cast<std::vector<HWND>*>(found);
    if (FindWindowExA(window, nullptr, DESKTOP_VIEW_CLASS, nullptr) &&
        std::find(windows.begin(), windows.end(), window) == windows.end())
        windows.push_back(window);
    return TRUE;
}

} // namespace

HWND find_taskbar()
{
    return FindWindowA(TASKBAR_CLASS, nullptr);
}

HWND find_desktop_window()
{
    return FindWindowA(DESKTOP_CLASS, DESKTOP_TITLE);
}

std::vector<HWND> find_taskbars()
{
    std::vector<HWND> taskbars = find_all(TASKBAR_CLASS, nullptr);
    for (HWND secondary : find_all(SECONDARY_TASKBAR_CLASS, nullptr))
        taskbars.push_back(secondary);
    return taskbars;
}

std::vector<HWND> find_desktop_windows()
{
    std::vector<HWND> desktops = find_all(DESKTOP_CLASS, DESKTOP_TITLE);
    EnumWindows(add_if_desktop_view, reinterpret_cast<LPARAM>(&desktops));
    return desktops;
}

void hide_taskbar(HWND taskbar)
{
    SetPropA(taskbar, TAKEN_MARK, MARKED);
    ShowWindow(taskbar, SW_HIDE);
}

void show_taskbar(HWND taskbar)
{
    ShowWindow(taskbar, SW_SHOWNA);
    RemovePropA(taskbar, TAKEN_MARK);
}

void disable_desktop(HWND desktop)
{
    SetPropA(desktop, TAKEN_MARK, MARKED);
    EnableWindow(desktop, FALSE);
}

void enable_desktop(HWND desktop)
{
    EnableWindow(desktop, TRUE);
    RemovePropA(desktop, TAKEN_MARK);
}

bool hand_back_taken_windows()
{
    bool found = false;
    for (HWND taskbar : find_taskbars())
        if (is_marked(taskbar)) {
            show_taskbar(taskbar);
            found = true;
        }
    for (HWND desktop : find_desktop_windows())
        if (is_marked(desktop)) {
            enable_desktop(desktop);
            found = true;
        }
    if (found)
        SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, FALSE, nullptr, 0);
    return found;
}
