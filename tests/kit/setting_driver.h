// setting.exe copied into a directory of its own, started there and driven from outside as a
// user would: windows found by their controls, actions that may open a modal window posted
// (never sent), the list view read through memory in the tool's process.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "gui_probe.h"

struct Message {
    std::string caption;
    std::string text;
};

using Row = std::array<std::string, 2>;

class SettingTool {
public:
    // Starts `dir`\`name`, a copy of the setting.exe built beside this test.
    explicit SettingTool(const std::string& dir, const std::string& name = "setting.exe");

    DWORD pid() const { return program_.id(); }
    // Whether the tool ended within the time.
    bool ended(DWORD timeout_ms = WAIT_MS) const { return program_.exit_code(timeout_ms) != ~DWORD{0}; }

    // Waits for a message box and answers it with `button`; empty when none came.
    Message answer_message(int button = IDOK);
    bool message_showing() const { return find_message_box(pid()) != nullptr; }

    HWND login_dialog() const;
    HWND main_dialog() const;
    HWND password_dialog() const;
    // Waits for the login dialog, enters `password`, confirms and answers the notice that
    // follows into `notice`; the main dialog, or null when it does not open.
    HWND log_in(const std::string& password, Message* notice = nullptr);

    // What follows is for the main dialog `dialog`.
    void click(HWND dialog, int id) const;
    void type(HWND dialog, int id, const std::string& text) const;
    std::string text(HWND dialog, int id) const { return control_text(GetDlgItem(dialog, id)); }
    // Returns once everything posted to the dialog so far has been handled.
    void settle(HWND dialog);

    std::vector<Row> rows(HWND dialog) const;
    int selected_row(HWND dialog) const;
    void select_row(HWND dialog, int row) const;
    void double_click_row(HWND dialog, int row) const;

private:
    // Ended by force if a test leaves it running.
    RunningProgram program_;
    unsigned settle_count_ = 0;
};
