// The settings tool as an application: one modal run of the main dialog, which saves.
#pragma once

#include "app.h"

class SettingApp final : public App {
protected:
    // Runs the main dialog. Always false: the tool then ends.
    bool init_instance() override;
};
