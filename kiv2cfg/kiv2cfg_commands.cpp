// The commands of kiv2cfg.
#include "kiv2cfg_commands.h"

#include <fstream>
#include <iterator>
#include <memory>

#include "edit_limits.h"
#include "platform_text.h"
#include "program_risk.h"
#include "settings_text.h"

namespace {

constexpr char HELP[] =
    "kiv2cfg: the Kivel2 settings file (kiv2.bin) as text\n"
    "\n"
    "  kiv2cfg show KIV2.BIN           print the settings as text\n"
    "  kiv2cfg export KIV2.BIN TEXT    write the settings as text to the file TEXT\n"
    "  kiv2cfg import TEXT KIV2.BIN    write the settings file from TEXT (a text or a settings file)\n"
    "  kiv2cfg check KIV2.BIN|TEXT     report problems, write nothing\n"
    "  kiv2cfg --help                  this text\n"
    "\n"
    "The text is UTF-8, one line per value:\n"
    "  [kivel2]     lock_at_startup = yes|no, boss_password = ..., follower_password = ...\n"
    "  [main]       label = ..., path = ...   (left out: no main program)\n"
    "  [program]    label = ..., path = ...   (one per entry, in list order, at most 255)\n"
    "  [separator]                           (a separator line)\n"
    "Lines starting with ; or # are comments. A value in double quotes keeps its blanks and\n"
    "takes the escapes \\\\ \\\" \\n \\r \\t \\xNN. \"kiv2cfg show kiv2.bin\" prints a whole example.\n"
    "Nothing is written when the input is bad.\n"
    "\n"
    "Exit codes: 0 done; 1 bad input, or check found a program that opens the system\n"
    "directly; 2 file error (missing or unreadable file, target not writable).\n";

struct Loaded {
    int code = EXIT_DONE;
    std::unique_ptr<Settings> settings;
};

// Closed again before the settings store opens it: the store shares a file with nobody.
std::optional<std::string> read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A settings file (told by its magic) or a text.
Loaded load_input(const std::string& path, CommandOutput& output)
{
    const std::optional<std::string> bytes = read_file(path);
    if (!bytes) {
        output.err += join({path, ": cannot be read\n"});
        return {EXIT_FILE_ERROR, nullptr};
    }
    auto settings = std::make_unique<Settings>(path);
    if (starts_like_settings_file(*bytes)) {
        if (!settings->load()) {
            output.err += join({path, ": not a complete settings file\n"});
            return {EXIT_BAD_INPUT, nullptr};
        }
        return {EXIT_DONE, std::move(settings)};
    }
    if (const std::optional<TextError> error = settings_from_text(*bytes, *settings)) {
        output.err += join(
            {path, error->line ? ":" : "", error->line ? std::to_string(error->line) : "", ": ", error->message, "\n"});
        return {EXIT_BAD_INPUT, nullptr};
    }
    return {EXIT_DONE, std::move(settings)};
}

int show(const std::string& source, CommandOutput& output)
{
    const Loaded loaded = load_input(source, output);
    if (loaded.settings)
        output.out += settings_to_text(*loaded.settings);
    return loaded.code;
}

int export_text(const std::string& source, const std::string& target, CommandOutput& output)
{
    const Loaded loaded = load_input(source, output);
    if (!loaded.settings)
        return loaded.code;
    // Text mode: line ends as the platform's editors expect them.
    std::ofstream out(target, std::ios::trunc);
    out << settings_to_text(*loaded.settings);
    out.close();
    if (!out) {
        output.err += join({target, ": cannot be written\n"});
        return EXIT_FILE_ERROR;
    }
    return EXIT_DONE;
}

int import_text(const std::string& source, const std::string& target, CommandOutput& output)
{
    const Loaded loaded = load_input(source, output);
    if (!loaded.settings)
        return loaded.code;
    Settings settings(target);
    settings.assign_values(*loaded.settings);
    if (!settings.save()) {
        output.err += join({target, ": cannot be written\n"});
        return EXIT_FILE_ERROR;
    }
    return EXIT_DONE;
}

int check(const std::string& source, CommandOutput& output)
{
    const Loaded loaded = load_input(source, output);
    if (!loaded.settings)
        return loaded.code;
    const CheckReport report = check_settings(*loaded.settings, program_found);
    output.out += report.text;
    return report.opens_system ? EXIT_BAD_INPUT : EXIT_DONE;
}

// A label in quotes, unless its text form has them already.
std::string label_of(std::string_view label)
{
    const std::string value = text_value(label);
    return value.starts_with('"') ? value : join({"\"", value, "\""});
}

std::string place_of(const RegisteredProgram& registered)
{
    const std::string what = registered.position == MAIN_PROGRAM_POSITION
        ? std::string("main program ")
        : join({"entry ", std::to_string(registered.position), " "});
    return join({what, label_of(registered.label), " ", text_value(registered.program)});
}

std::string risk_text(ProgramRisk risk)
{
    return risk == ProgramRisk::opens_system ? "opens the system directly"
                                             : "has file dialogs through which other programs can be started";
}

void check_length(std::string& text, const std::string& what, const std::string& value, std::size_t limit)
{
    if (value.size() > limit)
        text += join({what, ": ", std::to_string(value.size()), " bytes; setting.exe shows at most ",
            std::to_string(limit), "\n"});
}

} // namespace

CheckReport check_settings(const Settings& settings, ProgramFinder found)
{
    CheckReport report;
    const std::vector<RegisteredProgram> programs = registered_programs(settings);
    for (const RegisteredProgram& registered : programs) {
        if (registered.risk == ProgramRisk::none)
            continue;
        report.text += join({place_of(registered), ": ", risk_text(registered.risk), "\n"});
        report.opens_system = report.opens_system || registered.risk == ProgramRisk::opens_system;
    }
    for (const RegisteredProgram& registered : programs)
        if (found(std::string(registered.program)) == false)
            report.text += join({place_of(registered), ": not found\n"});

    check_length(report.text, "boss_password", settings.boss_password, PASSWORD_LIMIT);
    check_length(report.text, "follower_password", settings.follower_password, PASSWORD_LIMIT);
    check_length(report.text, "main program label", settings.main_label, MAIN_LABEL_LIMIT);
    check_length(report.text, "main program path", settings.main_program, TEXT_LIMIT);
    for (std::size_t i = 0; i < settings.entries.size(); ++i) {
        const SoftwareEntry& entry = settings.entries[i];
        if (entry.is_separator)
            continue;
        const std::string where = join({"entry ", std::to_string(i + 1)});
        check_length(report.text, join({where, " label"}), entry.label, TEXT_LIMIT);
        check_length(report.text, join({where, " path"}), entry.program, TEXT_LIMIT);
    }
    if (report.text.empty())
        report.text = "no problems found\n";
    return report;
}

int run_kiv2cfg(const std::vector<std::string>& arguments, CommandOutput& output)
{
    const std::string command = arguments.empty() ? std::string() : arguments[0];
    const std::size_t count = arguments.size();
    if (command == "show" && count == 2)
        return show(arguments[1], output);
    if (command == "export" && count == 3)
        return export_text(arguments[1], arguments[2], output);
    if (command == "import" && count == 3)
        return import_text(arguments[1], arguments[2], output);
    if (command == "check" && count == 2)
        return check(arguments[1], output);
    if ((command == "--help" || command == "/?" || command == "-h") && count == 1) {
        output.out += HELP;
        return EXIT_DONE;
    }
    output.err += HELP;
    return EXIT_BAD_INPUT;
}
