// The commands of kiv2cfg, apart from the console: what each writes, prints and returns.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings.h"

inline constexpr int EXIT_DONE = 0;
// Also what check returns when a program opens the system directly.
inline constexpr int EXIT_BAD_INPUT = 1;
inline constexpr int EXIT_FILE_ERROR = 2;

struct CommandOutput {
    std::string out;
    std::string err;
};

// `arguments` without the program's name; paths in the platform's own narrow form.
int run_kiv2cfg(const std::vector<std::string>& arguments, CommandOutput& output);

// Whether a program is there; none when that cannot be told here.
using ProgramFinder = std::optional<bool> (*)(const std::string& path);

struct CheckReport {
    std::string text;
    bool opens_system = false;
};

// What check says about a record: risky programs, programs not found, texts longer than the
// settings tool's edits.
CheckReport check_settings(const Settings& settings, ProgramFinder found);
