// Writes a first settings file from a fresh record (both passwords "tovi", nothing
// registered, no lock at start-up): neither program runs without one, and neither makes one.
//
//   make_settings_file          "kiv2.bin" beside this program
//   make_settings_file PATH     the file at PATH
//
// An existing file is never overwritten: it may hold an administrator's settings.
#include <cstdio>
#include <memory>

#include "file_backend.h"
#include "settings.h"

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: make_settings_file [PATH]\n");
        return 2;
    }
    const auto settings = argc == 2 ? std::make_unique<Settings>(argv[1]) : std::make_unique<Settings>();
    const char* path = settings->file_path.c_str();
    if (platform_files().open_existing(settings->file_path)) {
        std::fprintf(stderr, "%s already exists; nothing was written\n", path);
        return 1;
    }
    if (!settings->save()) {
        std::fprintf(stderr, "%s could not be written\n", path);
        return 1;
    }
    std::printf("wrote %s\n", path);
    return 0;
}
