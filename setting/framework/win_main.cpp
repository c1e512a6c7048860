// The entry point of a program built on the dialog layer: everything happens in the start-up
// operation of its one application object.
#include <windows.h>

#include "app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    App* app = App::current();
    return app ? app->run() : 1;
}
