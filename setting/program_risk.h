// Which registered programs open a way out of the lock. Every program on the bar is a door:
// its Open and Save dialogs, its help and its printing lead on to other programs. Some open
// the whole system at once. Judged by the program's file name alone, case-insensitively.
#pragma once

#include <string_view>
#include <vector>

#include "settings.h"

enum class ProgramRisk {
    none,
    // A shell, the file manager, the registry editor, a management tool, a script host.
    opens_system,
    // An editor, a viewer or a browser: its file dialogs can start other programs.
    file_dialogs,
};

ProgramRisk program_risk(std::string_view program);

// Where a program is registered: MAIN_PROGRAM_POSITION, or the entry's place in the list
// counted from 1, separators included.
inline constexpr int MAIN_PROGRAM_POSITION = 0;

// A program on the bar, with its label and path as the record holds them.
struct RegisteredProgram {
    int position;
    std::string_view label;
    std::string_view program;
    ProgramRisk risk;
};

// The main program (when set) and every entry that is not a separator, in list order. The
// views point into `settings`.
std::vector<RegisteredProgram> registered_programs(const Settings& settings);
