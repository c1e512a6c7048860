// The settings tool as an application: one modal run of the main dialog, then the save.
#pragma once

#include "app.h"

class SettingApp final : public App {
protected:
    // Runs the main dialog; after "設定" writes the settings file. Always false: the tool then
    // ends.
    bool init_instance() override;
};
