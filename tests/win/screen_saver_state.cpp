// Reports the system's screen-saver-running setting as its exit code (1 on, 0 off). Wine
// keeps the setting cached in a process once it has read it, so a test that watches another
// program change it asks a fresh process each time.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    return running ? 1 : 0;
}
