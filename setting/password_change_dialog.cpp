// The password change dialog.
#include "password_change_dialog.h"

#include "data_exchange.h"
#include "edit_limits.h"
#include "message.h"
#include "resource.h"
#include "setting_texts.h"

PasswordChangeDialog::PasswordChangeDialog() : Dialog(IDD_PASSWORD) {}

bool PasswordChangeDialog::exchange(DataExchange& dx)
{
    return dx.text(IDC_NEW_PASSWORD, new_password, PASSWORD_LIMIT) &&
        dx.text(IDC_CURRENT_PASSWORD, current_password, PASSWORD_LIMIT);
}

BOOL PasswordChangeDialog::on_init()
{
    Dialog::on_init();
    SetWindowTextA(window(), target_level ? TITLE_BOSS_PASSWORD : TITLE_FOLLOWER_PASSWORD);
    return TRUE;
}

void PasswordChangeDialog::on_ok()
{
    update_data(true);
    if (new_password.empty()) {
        show_message(IDS_NO_NEW_PASSWORD, MB_ICONINFORMATION, window());
        return;
    }
    Dialog::on_ok();
}
