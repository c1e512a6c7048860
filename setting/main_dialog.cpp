// The main dialog: initialisation and login, data exchange, the main-software group, the
// password buttons, Accept and icon painting. The list commands are in main_dialog_list.cpp.
#include "main_dialog.h"

#include <commctrl.h>

#include "data_exchange.h"
#include "edit_limits.h"
#include "login.h"
#include "login_dialog.h"
#include "message.h"
#include "open_file_dialog.h"
#include "password_change_dialog.h"
#include "program_risk.h"
#include "resource.h"
#include "setting_texts.h"

namespace {

constexpr int COLUMN_WIDTH = 195;

// What a follower may not use; in the order they are switched.
constexpr int BOSS_CONTROLS[] = {IDC_BOSS_PASSWORD, IDC_FOLLOWER_PASSWORD, IDC_ADD, IDC_OVERWRITE, IDC_DELETE, IDC_UP,
    IDC_DOWN, IDC_SEPARATOR, IDC_BROWSE_PROGRAM, IDC_ACCEPT, IDC_MAIN_SOFTWARE};
// What a follower may only look at.
constexpr int EDITS[] = {IDC_MAIN_PROGRAM, IDC_MAIN_LABEL, IDC_LABEL, IDC_PROGRAM};
// What follows check box 1019.
constexpr int MAIN_SOFTWARE_CONTROLS[] = {IDC_MAIN_PROGRAM, IDC_MAIN_LABEL, IDC_BROWSE_MAIN_PROGRAM};

} // namespace

const Command<MainDialog> MainDialog::COMMANDS[] = {
    {IDC_ADD, BN_CLICKED, &MainDialog::add},
    {IDC_OVERWRITE, BN_CLICKED, &MainDialog::overwrite},
    {IDC_DELETE, BN_CLICKED, &MainDialog::remove},
    {IDC_UP, BN_CLICKED, &MainDialog::up},
    {IDC_SEPARATOR, BN_CLICKED, &MainDialog::separator},
    {IDC_DOWN, BN_CLICKED, &MainDialog::down},
    {IDC_BROWSE_PROGRAM, BN_CLICKED, &MainDialog::browse_program},
    {IDC_MAIN_SOFTWARE, BN_CLICKED, &MainDialog::switch_main_software},
    {IDC_BROWSE_MAIN_PROGRAM, BN_CLICKED, &MainDialog::browse_main_program},
    {IDC_BOSS_PASSWORD, BN_CLICKED, &MainDialog::change_boss_password},
    {IDC_FOLLOWER_PASSWORD, BN_CLICKED, &MainDialog::change_follower_password},
    {IDC_ACCEPT, BN_CLICKED, &MainDialog::accept},
};

const Command<MainDialog> MainDialog::NOTIFICATIONS[] = {
    {IDC_LIST, static_cast<int>(NM_DBLCLK), &MainDialog::load_row},
};

MainDialog::MainDialog() : Dialog(IDD_MAIN), icon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SETTING)))
{
}

bool MainDialog::read_controls()
{
    return update_data(true);
}

void MainDialog::show_values()
{
    update_data(false);
}

bool MainDialog::exchange(DataExchange& dx)
{
    return dx.text(IDC_LABEL, edit_label, TEXT_LIMIT) && dx.text(IDC_MAIN_PROGRAM, edit_main_program, TEXT_LIMIT) &&
        dx.text(IDC_PROGRAM, edit_program, TEXT_LIMIT) && dx.text(IDC_MAIN_LABEL, edit_main_label, MAIN_LABEL_LIMIT) &&
        dx.check(IDC_MAIN_SOFTWARE, check_main_software) && dx.check(IDC_LOCK_AT_STARTUP, check_lock_at_startup);
}

BOOL MainDialog::on_init()
{
    list_view = ListView(item(IDC_LIST));
    Dialog::on_init();
    if (!settings.load()) {
        show_message(IDS_OPEN_FAILED, MB_ICONEXCLAMATION, window());
        end(IDCANCEL);
        return FALSE;
    }
    if (!log_in()) {
        end(IDCANCEL);
        return FALSE;
    }
    SendMessageA(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    set_access_states();

    list_view.add_column(0, TEXT_COLUMN_LABEL, COLUMN_WIDTH);
    list_view.add_column(1, TEXT_COLUMN_PROGRAM, COLUMN_WIDTH);
    list_view.add_extended_style(LVS_EX_FULLROWSELECT);

    edit_main_program = settings.main_program;
    edit_main_label = settings.main_label;
    check_lock_at_startup = settings.lock_at_startup;
    check_main_software = settings.main_program.empty() ? 0 : 1;
    // Ticked, the group keeps its template states: the browse button waits for the switch.
    if (!check_main_software)
        for (const int id : MAIN_SOFTWARE_CONTROLS)
            EnableWindow(item(id), FALSE);
    show_values();
    fill_list();
    return TRUE;
}

bool MainDialog::log_in()
{
    LoginDialog login;
    if (login.run(window()) != IDOK)
        return false;
    const std::optional<int> level =
        access_level_for(login.entered_password, settings.boss_password, settings.follower_password);
    if (!level) {
        show_message(IDS_WRONG_PASSWORD, MB_ICONEXCLAMATION, window());
        return false;
    }
    show_message(*level == ACCESS_BOSS ? IDS_BOSS_LOGIN : IDS_FOLLOWER_LOGIN, MB_ICONINFORMATION, window());
    access_level = *level;
    return true;
}

void MainDialog::set_access_states()
{
    for (const int id : BOSS_CONTROLS)
        EnableWindow(item(id), access_level);
    for (const int id : EDITS)
        SendMessageA(item(id), EM_SETREADONLY, access_level == ACCESS_FOLLOWER, 0);
}

void MainDialog::on_ok() {}

bool MainDialog::on_command(int id, int code)
{
    return dispatch<MainDialog>(*this, COMMANDS, id, code);
}

bool MainDialog::on_notify(int id, int code)
{
    return dispatch<MainDialog>(*this, NOTIFICATIONS, id, code);
}

bool MainDialog::on_message(UINT message, WPARAM, LPARAM, INT_PTR& result)
{
    switch (message) {
    case WM_PAINT:
        if (!IsIconic(window()))
            return false;
        paint_icon();
        result = TRUE;
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<INT_PTR>(icon);
        return true;
    default:
        return false;
    }
}

void MainDialog::paint_icon()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window(), &paint);
    SendMessageA(window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(window(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
    EndPaint(window(), &paint);
}

// Each handler that reads the controls stops when that did not complete: going on would act
// on, or show again, values that are not what the screen shows.

void MainDialog::switch_main_software()
{
    if (!read_controls()) {
        // The click is refused; the box goes back to what the group follows.
        CheckDlgButton(window(), IDC_MAIN_SOFTWARE, static_cast<UINT>(check_main_software));
        return;
    }
    for (const int id : MAIN_SOFTWARE_CONTROLS)
        EnableWindow(item(id), check_main_software);
}

void MainDialog::browse_main_program()
{
    if (!read_controls())
        return;
    if (const std::optional<std::string> path = ask_open_file(window(), FILTER_PROGRAMS)) {
        edit_main_program = *path;
        show_values();
    }
}

void MainDialog::change_boss_password()
{
    change_password(ACCESS_BOSS, settings.boss_password);
}

void MainDialog::change_follower_password()
{
    change_password(ACCESS_FOLLOWER, settings.follower_password);
}

void MainDialog::change_password(int level, std::string& stored)
{
    PasswordChangeDialog dialog;
    dialog.target_level = level;
    dialog.current_password = stored;
    if (dialog.run(window()) == IDOK)
        stored = dialog.new_password;
}

void MainDialog::accept()
{
    if (!read_controls())
        return;
    if (check_main_software) {
        if (edit_main_program.empty() || edit_main_label.empty()) {
            show_message(IDS_MAIN_SOFTWARE_INCOMPLETE, MB_ICONINFORMATION, window());
            return;
        }
        settings.main_label = edit_main_label;
        settings.main_program = edit_main_program;
    } else {
        settings.main_label.clear();
        settings.main_program.clear();
    }
    settings.lock_at_startup = check_lock_at_startup;
    if (!confirm_risky_programs())
        return;
    if (save_settings())
        end(IDOK);
}

// Saved while the dialog is still open: a failed save keeps it open with every edit, so that
// the cause can be removed and "設定" pressed again. What accept() copied into `settings` it
// copies anew from the controls then, so nothing needs putting back.
bool MainDialog::save_settings()
{
    if (settings.save())
        return true;
    show_message(IDS_SAVE_FAILED, MB_ICONEXCLAMATION, window());
    return false;
}

// A maintenance station may offer a command prompt on purpose: the warning asks, it does not
// refuse. Answered No, the dialog stays as it was.
bool MainDialog::confirm_risky_programs()
{
    constexpr std::size_t MAX_LISTED = 10;
    std::string lines;
    std::size_t count = 0;
    for (const RegisteredProgram& registered : registered_programs(settings)) {
        if (registered.risk != ProgramRisk::opens_system || ++count > MAX_LISTED)
            continue;
        lines += std::string(TEXT_RISKY_BULLET) + std::string(registered.label) + TEXT_RISKY_OPEN +
            std::string(registered.program) + TEXT_RISKY_CLOSE + "\n";
    }
    if (count == 0)
        return true;
    if (count > MAX_LISTED)
        lines += std::string(TEXT_RISKY_MORE) + std::to_string(count - MAX_LISTED) + TEXT_RISKY_COUNT + "\n";
    std::string text = string_resource(IDS_RISKY_PROGRAMS);
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, lines);
    return show_text(text, MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING, window()) == IDYES;
}
