// Synthesised keyboard and mouse input, and a window that records the keys that reach it: with
// a keyboard hook installed, what the window does not see was swallowed on the way.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

#include "fake_windows.h"
#include "program_driver.h"

struct KeyStroke {
    WORD key;
    bool up;
    DWORD time; // the event's stamp; 0: the system stamps it
};

inline KeyStroke press(WORD key)
{
    return {key, false, 0};
}
inline KeyStroke release(WORD key)
{
    return {key, true, 0};
}
inline KeyStroke stamped(KeyStroke stroke, DWORD time)
{
    return {stroke.key, stroke.up, time};
}

// A shortcut as a user types it: the keys pressed in order, then released in reverse.
inline std::vector<KeyStroke> chord(std::initializer_list<WORD> keys)
{
    std::vector<KeyStroke> strokes;
    for (WORD key : keys)
        strokes.push_back(press(key));
    for (auto key = keys.end(); key != keys.begin();)
        strokes.push_back(release(*--key));
    return strokes;
}

inline void send_keys(const std::vector<KeyStroke>& strokes)
{
    std::vector<INPUT> inputs;
    for (const KeyStroke& stroke : strokes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = stroke.key;
        input.ki.dwFlags = stroke.up ? KEYEVENTF_KEYUP : 0;
        input.ki.time = stroke.time;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A mouse event at a point of the screen, given as a touch screen gives it: absolute.
inline void send_mouse(DWORD flags, LONG x = 0, LONG y = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// A focused window of this thread that notes every key pressed in it, with or without Alt.
class KeyRecorder {
public:
    KeyRecorder()
    {
        window_ = create_window(
            "TestKeyRecorder", procedure, "keys", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, {100, 100, 300, 200});
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        focus();
    }
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;
    ~KeyRecorder() { DestroyWindow(window_); }

    // Takes the keyboard back, from a dialog of another program say.
    bool focus() const
    {
        SetForegroundWindow(window_);
        SetFocus(window_);
        return GetFocus() == window_;
    }
    bool focused() const { return GetFocus() == window_; }

    // The keys pressed in the window from `strokes`. A final F12 marks the end: input arrives
    // in order, so once it is there everything before it has been delivered or swallowed.
    std::vector<WORD> keys_reaching(std::initializer_list<KeyStroke> strokes)
    {
        pressed_.clear();
        send_keys(strokes);
        send_keys({press(VK_F12), release(VK_F12)});
        wait_until([&] {
            handle_messages();
            return !pressed_.empty() && pressed_.back() == VK_F12;
        });
        if (!pressed_.empty() && pressed_.back() == VK_F12)
            pressed_.pop_back();
        return pressed_;
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
    {
        auto* self = reinterpret_cast<KeyRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (self)
                self->pressed_.push_back(static_cast<WORD>(wparam));
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // Not to DefWindowProc: a released Alt would enter menu mode.
            return 0;
        }
        return DefWindowProcA(window, message, wparam, lparam);
    }

    HWND window_ = nullptr;
    std::vector<WORD> pressed_;
};
