// The settings tool's start-up operation.
#include "setting_app.h"

#include <windows.h>

#include "main_dialog.h"
#include "message.h"
#include "resource.h"

bool SettingApp::init_instance()
{
    MainDialog dialog;
    // Only "設定" ends the dialog with IDOK; every other way out writes nothing.
    if (dialog.run() == IDOK && !dialog.settings.save())
        show_message(IDS_SAVE_FAILED, MB_ICONEXCLAMATION);
    return false;
}
