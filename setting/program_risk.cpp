// The table of programs that open a way out, and the search of a record for them.
#include "program_risk.h"

#include <string>

#include "ansi_path.h"

namespace {

struct KnownProgram {
    // A file name, or "*.ext" for every file with that extension.
    std::string_view name;
    ProgramRisk risk;
};

// Lower case. Extend freely: the first match counts.
constexpr KnownProgram KNOWN_PROGRAMS[] = {
    // Shells and terminals
    {"cmd.exe", ProgramRisk::opens_system},
    {"command.com", ProgramRisk::opens_system},
    {"powershell.exe", ProgramRisk::opens_system},
    {"powershell_ise.exe", ProgramRisk::opens_system},
    {"pwsh.exe", ProgramRisk::opens_system},
    {"wt.exe", ProgramRisk::opens_system},
    {"bash.exe", ProgramRisk::opens_system},
    {"wsl.exe", ProgramRisk::opens_system},
    // An editor with a terminal one key away
    {"code.exe", ProgramRisk::opens_system},
    // The file manager, the registry, the system's management
    {"explorer.exe", ProgramRisk::opens_system},
    {"regedit.exe", ProgramRisk::opens_system},
    {"regedt32.exe", ProgramRisk::opens_system},
    {"taskmgr.exe", ProgramRisk::opens_system},
    {"mmc.exe", ProgramRisk::opens_system},
    {"*.msc", ProgramRisk::opens_system},
    {"control.exe", ProgramRisk::opens_system},
    {"*.cpl", ProgramRisk::opens_system},
    {"msconfig.exe", ProgramRisk::opens_system},
    {"eventvwr.exe", ProgramRisk::opens_system},
    {"perfmon.exe", ProgramRisk::opens_system},
    {"resmon.exe", ProgramRisk::opens_system},
    // Hosts that run any script or library function
    {"wscript.exe", ProgramRisk::opens_system},
    {"cscript.exe", ProgramRisk::opens_system},
    {"rundll32.exe", ProgramRisk::opens_system},
    {"mshta.exe", ProgramRisk::opens_system},
    {"msiexec.exe", ProgramRisk::opens_system},
    // Editors and viewers
    {"notepad.exe", ProgramRisk::file_dialogs},
    {"notepad++.exe", ProgramRisk::file_dialogs},
    {"wordpad.exe", ProgramRisk::file_dialogs},
    {"write.exe", ProgramRisk::file_dialogs},
    {"mspaint.exe", ProgramRisk::file_dialogs},
    {"sakura.exe", ProgramRisk::file_dialogs},
    {"hidemaru.exe", ProgramRisk::file_dialogs},
    {"winword.exe", ProgramRisk::file_dialogs},
    {"excel.exe", ProgramRisk::file_dialogs},
    {"powerpnt.exe", ProgramRisk::file_dialogs},
    {"onenote.exe", ProgramRisk::file_dialogs},
    {"outlook.exe", ProgramRisk::file_dialogs},
    {"soffice.exe", ProgramRisk::file_dialogs},
    {"acrord32.exe", ProgramRisk::file_dialogs},
    {"acrobat.exe", ProgramRisk::file_dialogs},
    {"wmplayer.exe", ProgramRisk::file_dialogs},
    // Browsers
    {"msedge.exe", ProgramRisk::file_dialogs},
    {"iexplore.exe", ProgramRisk::file_dialogs},
    {"chrome.exe", ProgramRisk::file_dialogs},
    {"firefox.exe", ProgramRisk::file_dialogs},
    {"opera.exe", ProgramRisk::file_dialogs},
    {"brave.exe", ProgramRisk::file_dialogs},
    {"vivaldi.exe", ProgramRisk::file_dialogs},
};

// The file name of a path, in lower case (ASCII letters only: the table's names are ASCII),
// with the quotes an administrator may have put around it gone.
std::string file_name_of(std::string_view program)
{
    while (!program.empty() && (program.front() == '"' || program.front() == ' '))
        program.remove_prefix(1);
    while (!program.empty() && (program.back() == '"' || program.back() == ' '))
        program.remove_suffix(1);
    // A trail byte may be 0x5C; a slash never is one.
    std::size_t cut = find_last_backslash(program, is_cp932_lead_byte);
    const std::size_t slash = program.rfind('/');
    if (slash != std::string_view::npos && (cut == std::string_view::npos || slash > cut))
        cut = slash;
    std::string name(cut == std::string_view::npos ? program : program.substr(cut + 1));
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (is_cp932_lead_byte(static_cast<unsigned char>(name[i])))
            ++i;
        else if (name[i] >= 'A' && name[i] <= 'Z')
            name[i] = static_cast<char>(name[i] - 'A' + 'a');
    }
    // Started without an extension, a program is found as its ".exe".
    if (name.find('.') == std::string::npos && !name.empty())
        name += ".exe";
    return name;
}

bool matches(std::string_view name, std::string_view pattern)
{
    if (pattern.starts_with('*'))
        return name.size() > pattern.size() - 1 && name.ends_with(pattern.substr(1));
    return name == pattern;
}

} // namespace

ProgramRisk program_risk(std::string_view program)
{
    const std::string name = file_name_of(program);
    for (const KnownProgram& known : KNOWN_PROGRAMS)
        if (matches(name, known.name))
            return known.risk;
    return ProgramRisk::none;
}

std::vector<RegisteredProgram> registered_programs(const Settings& settings)
{
    std::vector<RegisteredProgram> found;
    const auto note = [&](int position, const std::string& label, const std::string& program) {
        found.push_back({position, label, program, program_risk(program)});
    };
    if (!settings.main_program.empty())
        note(MAIN_PROGRAM_POSITION, settings.main_label, settings.main_program);
    for (std::size_t i = 0; i < settings.entries.size(); ++i)
        if (!settings.entries[i].is_separator)
            note(static_cast<int>(i) + 1, settings.entries[i].label, settings.entries[i].program);
    return found;
}
