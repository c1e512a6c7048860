// Writes the settings of the demonstration that `make run` shows: a main program and a few
// registered programs that every Wine prefix has, one separator, and the lock at start-up.
//
//   demo_settings_file PATH
#include <cstdio>

#include "settings.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo_settings_file PATH\n");
        return 2;
    }
    Settings settings(argv[1]);
    settings.lock_at_startup = 1;
    settings.main_label = "メモ帳";
    settings.main_program = "C:\\windows\\notepad.exe";
    settings.entries = {
        {0, "マインスイーパ", "C:\\windows\\system32\\winemine.exe"},
        {0, "時計", "C:\\windows\\system32\\clock.exe"},
        {1, "", ""},
        {0, "ワードパッド", "C:\\windows\\system32\\wordpad.exe"},
    };
    if (!settings.save()) {
        std::fprintf(stderr, "%s could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
