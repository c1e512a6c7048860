// The password dialog: one typed password, compared with both stored ones.
#include "password_dialog.h"

#include <optional>
#include <string>

#include "password_check.h"
#include "program_state.h"
#include "resource.h"
#include "scoped_handles.h"

namespace {

// The dialog's end codes say only whether it unlocked, so whose password did it is kept here.
PasswordLevel last_level = PasswordLevel::boss;

// All of the edit's text, however long: every password the settings can hold must be able
// to unlock.
std::string edit_text(HWND dialog, int id)
{
    const HWND edit = GetDlgItem(dialog, id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR on_ok(HWND dialog)
{
    const std::optional<PasswordLevel> level = matching_level(edit_text(dialog, IDC_PASSWORD_EDIT), lock_bar.settings);
    if (!level)
        return RESULT_BAD_PASSWORD;
    last_level = *level;
    return IsDlgButtonChecked(dialog, IDC_STAY_RESIDENT) ? RESULT_RESIDENT : RESULT_EXIT;
}

// The edit starts empty, the box unchecked. The edit has the keyboard, so that the password
// can be typed at once, and so that Windows offers its touch keyboard on a station with no
// other. (FALSE: the focus is set here; TRUE would give it to the first tab stop, OK.)
INT_PTR on_init(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDC_PASSWORD_EDIT));
    return FALSE;
}

// The picture control loads its bitmap from the template, and Wine's static control never
// deletes it: every unlock would leave one behind for as long as the program runs. Taken out of
// the control (the message hands back the one it holds) and deleted here, it is freed once,
// whatever the control would do with a picture it still held. The window is hidden by now.
void release_picture(HWND dialog)
{
    const OwnedGdiObject picture(reinterpret_cast<HGDIOBJ>(
        SendDlgItemMessageA(dialog, IDC_PASSWORD_PICTURE, STM_SETIMAGE, IMAGE_BITMAP, 0)));
}

} // namespace

PasswordLevel unlocking_level()
{
    return last_level;
}

INT_PTR CALLBACK password_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return on_init(dialog);
    if (message == WM_DESTROY) {
        release_picture(dialog);
        return FALSE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wparam)) {
    case IDOK:
        EndDialog(dialog, on_ok(dialog));
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, RESULT_CANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
