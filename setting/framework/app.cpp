// The application object and its start-up.
#include "app.h"

#include <windows.h>

#include <commctrl.h>

namespace {

App* the_app = nullptr;

} // namespace

App::App()
{
    the_app = this;
}

App::~App()
{
    if (the_app == this)
        the_app = nullptr;
}

App* App::current()
{
    return the_app;
}

int App::run()
{
    // Dialog templates may name any common control class; with the common controls 6
    // manifest this also gives every control the system's themed look.
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    if (!init_instance())
        return 0;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
