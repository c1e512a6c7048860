// The bar window's class, creation and procedure. The procedure only cracks messages and
// hands them to one small function each.
#include "bar_window.h"

#include <shellapi.h>
#include <tpcshrd.h>
#include <windowsx.h>

#include <memory>
#include <string>

#include "bar_geometry.h"
#include "event_log.h"
#include "logo_hold.h"
#include "password_dialog.h"
#include "program_state.h"
#include "resource.h"
#include "scoped_handles.h"
#include "texts.h"
#include "window_instance.h"

#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXA) == 48, "the class record of 32-bit Windows");
#endif

namespace {

// The press held on the logo now, if any.
LogoHold logo_hold;

// Zero when the name cannot be registered; no message has that id but WM_NULL, so callers
// check for zero first.
UINT taskbar_created_message()
{
    static const UINT message = RegisterWindowMessageA(TASKBAR_CREATED_MESSAGE);
    return message;
}

void add_tray_icon(HWND window)
{
    tray_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    tray_icon.hWnd = window;
    tray_icon.uID = TRAY_ICON_ID;
    tray_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray_icon.uCallbackMessage = WM_TRAYNOTIFY;
    tray_icon.hIcon = LoadIconA(window_instance(window), MAKEINTRESOURCEA(IDI_KIVEL2));
    lstrcpyA(tray_icon.szTip, PROGRAM_NAME);
    Shell_NotifyIconA(NIM_ADD, &tray_icon);
}

// Windows turns a finger or pen held down into a right click, and to tell the two apart it
// holds back the left button's messages until the finger lifts or moves: a hold on the logo
// would reach the bar only when it was over. The bar has no use for that right click (without
// Shift a right click does nothing here, and a touch screen has no Shift), so it turns the
// gesture off for the whole window. The property answers once and for all; the query message
// that asks the same per touch comes with a timeout, and a bar busy at that moment would get
// the gesture back. The value is a flag, not a handle: nothing to free, and the window takes
// it along when it goes.
void turn_off_press_and_hold(HWND window)
{
    SetPropA(window, "MicrosoftTabletPenServiceProperty", reinterpret_cast<HANDLE>(TABLET_DISABLE_PRESSANDHOLD));
}

// The layout wait starts first, so that the rest of the set-up (the buttons bring in the
// common controls library, the tray icon talks to the shell) runs while it waits instead of
// before it: the timer's message comes only once this message has been handled.
void on_create(HWND window)
{
    SetTimer(window, TIMER_LAYOUT, LAYOUT_DELAY_MS, nullptr);
    lock_bar.create_controls(window);
    add_tray_icon(window);
    turn_off_press_and_hold(window);
    // A program started as administrator would otherwise never hear of a new shell.
    if (taskbar_created_message())
        ChangeWindowMessageFilterEx(window, taskbar_created_message(), MSGFLT_ALLOW, nullptr);
}

// Measured in the framed geometry that the locked bar shows again later. A lock that came
// first (the tray icon double-clicked within the first moments) keeps its bar: hidden, it
// would leave a locked desktop with nothing to unlock it from. A bar that locks right away
// stays too: hiding and showing it again would only cost the lock its time.
void on_layout_timer(HWND window)
{
    KillTimer(window, TIMER_LAYOUT);
    lock_bar.show_bar(true);
    layout_bar(window);
    if (!lock_bar.is_locked() && !lock_bar.settings.lock_at_startup)
        lock_bar.show_bar(false);
    SetTimer(window, TIMER_CLOCK, CLOCK_PERIOD_MS, nullptr);
    if (lock_bar.settings.lock_at_startup)
        lock_bar.lock();
}

void on_clock_timer(HWND window)
{
    if (clock_panel.tick())
        InvalidateRect(window, nullptr, TRUE);
    lock_bar.renew_key_hook();
    // The shell may show a taskbar again or make new windows without a word to anyone.
    lock_bar.retake_shell_windows();
}

// A Windows key whose release went elsewhere would swallow the password.
void ask_password(HWND window)
{
    lock_bar.hooks.forget_held_keys();
    const INT_PTR result =
        DialogBoxParamA(window_instance(window), MAKEINTRESOURCEA(IDD_PASSWORD), window, password_dialog_proc, 0);
    if (result == RESULT_EXIT) {
        lock_bar.unlock();
        audit_trail().unlocked(unlocking_level(), false);
        PostMessageA(window, WM_CLOSE, 0, 0);
    } else if (result == RESULT_RESIDENT) {
        lock_bar.unlock();
        audit_trail().unlocked(unlocking_level(), true);
    } else if (result == RESULT_BAD_PASSWORD) {
        audit_trail().bad_password();
        MessageBoxA(window, TEXT_BAD_PASSWORD, PROGRAM_NAME, MB_ICONWARNING);
    }
}

ClientPoint client_point(LPARAM lparam)
{
    return {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
}

// The hold is over and no longer timed. Called when the bar has lost the mouse already.
void end_logo_hold(HWND window)
{
    logo_hold.end();
    KillTimer(window, TIMER_LOGO_HOLD);
}

// The hold is over, and the mouse goes back to the system.
void let_go_of_logo(HWND window)
{
    end_logo_hold(window);
    if (GetCapture() == window)
        ReleaseCapture();
}

// The bar keeps the mouse for as long as the hold lasts, so that it hears of the release and
// of a slide wherever they happen.
void on_left_button_down(HWND window, LPARAM lparam)
{
    let_go_of_logo(window);
    if (!lock_bar.is_locked() || !logo_hold.press(client_point(lparam), GetTickCount64()))
        return;
    SetCapture(window);
    SetTimer(window, TIMER_LOGO_HOLD, static_cast<UINT>(LOGO_HOLD_MS), nullptr);
}

void on_mouse_move(HWND window, LPARAM lparam)
{
    const DragDistance drag{GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)};
    if (logo_hold.holding() && !logo_hold.move(client_point(lparam), drag))
        let_go_of_logo(window);
}

// A timer may come a tick early by the tick count; it is set again for the rest. A hold
// outlives no lock.
void on_logo_hold_timer(HWND window)
{
    const ULONGLONG now = GetTickCount64();
    if (lock_bar.is_locked() && logo_hold.holding() && !logo_hold.due(now)) {
        SetTimer(window, TIMER_LOGO_HOLD, static_cast<UINT>(logo_hold.remaining_ms(now)), nullptr);
        return;
    }
    const bool opens = lock_bar.is_locked() && logo_hold.due(now);
    let_go_of_logo(window);
    if (opens)
        ask_password(window);
}

void on_timer(HWND window, WPARAM id)
{
    if (id == TIMER_LAYOUT)
        on_layout_timer(window);
    else if (id == TIMER_CLOCK)
        on_clock_timer(window);
    else if (id == TIMER_LOGO_HOLD)
        on_logo_hold_timer(window);
}

// The icon can be reached while locked too (a taskbar that came back, the icon added again
// for a new shell): ending from it is for the resident program only, never a way round the
// password.
void on_tray_notify(HWND window, LPARAM mouse_message)
{
    if (mouse_message == WM_LBUTTONDBLCLK) {
        lock_bar.lock();
    } else if (mouse_message == WM_RBUTTONDBLCLK && !lock_bar.is_locked()) {
        lock_bar.unlock();
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
}

// A restarted shell has forgotten the icon, and while locked its new taskbar must go too.
void on_taskbar_created()
{
    Shell_NotifyIconA(NIM_ADD, &tray_icon);
    lock_bar.on_taskbar_created();
}

// The screen has another size: the locked bar goes back to its bottom edge, with the clock
// placed anew for its width, and a screen plugged in loses its new taskbar. A hidden bar is
// left alone.
void on_display_change(HWND window)
{
    if (!lock_bar.is_locked())
        return;
    lock_bar.show_bar(true);
    layout_bar(window);
    lock_bar.retake_shell_windows();
}

void on_destroy(HWND window)
{
    KillTimer(window, TIMER_CLOCK);
    exit_program();
}

// Only the locked bar shows the clock and the logo; false leaves the hidden one to the default.
bool on_paint(HWND window)
{
    if (!lock_bar.is_locked())
        return false;
    const PaintScope paint(window);
    clock_panel.paint(paint.get());
    return true;
}

// While locked nobody closes the bar, Alt+F4 and other programs included.
bool refuses_close()
{
    return lock_bar.is_locked();
}

// Shift + right button is how the station's keeper asks to unlock.
void on_right_button(HWND window, WPARAM keys)
{
    if (keys & MK_SHIFT)
        ask_password(window);
}

// The sizing frame of the locked bar counts as client area, so the bar cannot be resized.
LRESULT hit_test(HWND window, WPARAM wparam, LPARAM lparam)
{
    const LRESULT where = DefWindowProcA(window, WM_NCHITTEST, wparam, lparam);
    return where >= HTLEFT && where <= HTBORDER ? HTCLIENT : where;
}

// The start's thread handed over the path it could not start.
void on_launch_failed(LPARAM path)
{
    const std::unique_ptr<std::string> program(reinterpret_cast<std::string*>(path));
    lock_bar.report_launch_failure(*program);
}

} // namespace

bool register_bar_class(HINSTANCE instance, const char* class_name)
{
    WNDCLASSEXA bar_class{};
    bar_class.cbSize = sizeof bar_class;
    bar_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    bar_class.lpfnWndProc = bar_window_proc;
    bar_class.hInstance = instance;
    bar_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KIVEL2));
    bar_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    bar_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    bar_class.lpszClassName = class_name;
    bar_class.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KIVEL2));
    return RegisterClassExA(&bar_class) != 0;
}

// Topmost, without caption, system menu or taskbar button; at the origin with no size until
// the layout timer places it.
bool create_bar_window(HINSTANCE instance, const char* class_name, int show_command)
{
    const HWND window = CreateWindowExA(WS_EX_PALETTEWINDOW, class_name, PROGRAM_NAME,
        WS_POPUP | WS_CLIPCHILDREN | WS_THICKFRAME, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    if (!window)
        return false;
    ShowWindow(window, show_command);
    UpdateWindow(window);
    return true;
}

void layout_bar(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    clock_panel.layout(window, client.right, client.bottom);
    lock_bar.layout_buttons(BUTTON_LEFT, client.bottom);
}

void exit_program()
{
    lock_bar.unlock();
    Shell_NotifyIconA(NIM_DELETE, &tray_icon);
    ReleaseMutex(instance_mutex);
    PostQuitMessage(0);
}

LRESULT CALLBACK bar_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message != 0 && message == taskbar_created_message()) {
        on_taskbar_created();
        return 0;
    }
    switch (message) {
    case WM_CREATE:
        on_create(window);
        return 0;
    case WM_DESTROY:
        on_destroy(window);
        return 0;
    case WM_PAINT:
        if (on_paint(window))
            return 0;
        break;
    case WM_CLOSE:
        if (refuses_close())
            return 0;
        break;
    case WM_NCHITTEST:
        return hit_test(window, wparam, lparam);
    case WM_COMMAND:
        lock_bar.on_command(wparam);
        return 0;
    case WM_TIMER:
        on_timer(window, wparam);
        return 0;
    case WM_RBUTTONDOWN:
        on_right_button(window, wparam);
        return 0;
    case WM_TRAYNOTIFY:
        on_tray_notify(window, lparam);
        return 0;
    case WM_DISPLAYCHANGE:
        on_display_change(window);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: // a hold straight after a tap
        on_left_button_down(window, lparam);
        return 0;
    case WM_MOUSEMOVE:
        on_mouse_move(window, lparam);
        return 0;
    case WM_LBUTTONUP:
        let_go_of_logo(window);
        return 0;
    case WM_CAPTURECHANGED:
        end_logo_hold(window);
        return 0;
    case WM_LAUNCH_FAILED:
        on_launch_failed(lparam);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}
