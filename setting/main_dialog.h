// The settings tool's one window (dialog 102): reads the settings, runs the login, shows the
// controls of the access level, and edits the registered-software list, the main software,
// the start-up option and both passwords. "設定" writes `settings` and ends the dialog with
// IDOK only when that worked.
#pragma once

#include <windows.h>

#include <string>

#include "command.h"
#include "dialog.h"
#include "list_edit.h"
#include "list_view.h"
#include "settings.h"

class MainDialog final : public Dialog {
public:
    MainDialog();

    Settings settings;
    // ACCESS_BOSS or ACCESS_FOLLOWER, from the login.
    int access_level = 0;
    ListView list_view;
    std::string edit_label;
    std::string edit_main_program;
    std::string edit_program;
    std::string edit_main_label;
    int check_main_software = 0;
    int check_lock_at_startup = 0;
    HICON icon;

    // The controls into the values; false when an edit held more than its limit (the length
    // message has been shown and that edit has the focus).
    bool read_controls();
    // The values into the controls.
    void show_values();
    // The list view anew from `settings.entries`.
    void fill_list();
    // A row at `index` that shows `entry`.
    void insert_row(int index, const SoftwareEntry& entry);

protected:
    bool exchange(DataExchange& dx) override;
    BOOL on_init() override;
    // Enter: nothing. Only "設定" ends the dialog with IDOK.
    void on_ok() override;
    bool on_command(int id, int code) override;
    bool on_notify(int id, int code) override;
    bool on_message(UINT message, WPARAM wparam, LPARAM lparam, INT_PTR& result) override;

private:
    static const Command<MainDialog> COMMANDS[];
    static const Command<MainDialog> NOTIFICATIONS[];

    bool log_in();
    void set_access_states();
    void paint_icon();

    // List editing (main_dialog_list.cpp)
    void add();
    void overwrite();
    void remove();
    void up();
    void down();
    void separator();
    void load_row();
    void browse_program();
    // Shows the message for a refused edit; true when the entries changed.
    bool changed(ListEdit result);
    void rewrite_row(int row);
    void move_selection(int from, int to);

    // Main software, passwords and the end (main_dialog.cpp)
    void switch_main_software();
    void browse_main_program();
    void change_boss_password();
    void change_follower_password();
    void change_password(int level, std::string& stored);
    void accept();
    // Warns of registered programs that open the system directly; true when there are none
    // or the administrator keeps them.
    bool confirm_risky_programs();
    // Writes the file; shows the failure and returns false when that did not work.
    bool save_settings();
};
