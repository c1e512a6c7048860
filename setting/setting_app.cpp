// The settings tool's start-up operation.
#include "setting_app.h"

#include <windows.h>

#include "main_dialog.h"

bool SettingApp::init_instance()
{
    // The dialog writes the file itself, before "設定" ends it; every other way out writes
    // nothing.
    MainDialog dialog;
    dialog.run();
    return false;
}
