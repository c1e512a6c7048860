// The settings tool's one application object; the dialog layer's entry point runs it.
#include "setting_app.h"

namespace {

SettingApp setting_app;

} // namespace
