// A stand-in for a registered program: it notes that it was started, and in which working
// directory, in "<its own path>.started", then ends.
#include <windows.h>

#include <fstream>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char program[MAX_PATH];
    const std::string path(program, GetModuleFileNameA(nullptr, program, MAX_PATH));
    char directory[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, directory);
    std::ofstream(path + ".started", std::ios::binary) << std::string(directory, length);
    return 0;
}
