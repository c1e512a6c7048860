// The five accessibility settings, switched and restored together.
#include "access_hot_keys.h"

static_assert(SKF_HOTKEYACTIVE == HOT_KEY_ACTIVE && FKF_HOTKEYACTIVE == HOT_KEY_ACTIVE &&
    TKF_HOTKEYACTIVE == HOT_KEY_ACTIVE && HCF_HOTKEYACTIVE == HOT_KEY_ACTIVE && MKF_HOTKEYACTIVE == HOT_KEY_ACTIVE);
static_assert(SKF_CONFIRMHOTKEY == HOT_KEY_CONFIRM && FKF_CONFIRMHOTKEY == HOT_KEY_CONFIRM &&
    TKF_CONFIRMHOTKEY == HOT_KEY_CONFIRM && HCF_CONFIRMHOTKEY == HOT_KEY_CONFIRM &&
    MKF_CONFIRMHOTKEY == HOT_KEY_CONFIRM);

void AccessHotKeys::switch_off()
{
    sticky_.switch_off();
    filter_.switch_off();
    toggle_.switch_off();
    high_contrast_.switch_off();
    mouse_.switch_off();
}

void AccessHotKeys::restore()
{
    sticky_.restore();
    filter_.restore();
    toggle_.restore();
    high_contrast_.restore();
    mouse_.restore();
}
