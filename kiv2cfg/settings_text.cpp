// The text form of the settings:
//
//   [kivel2]            lock_at_startup (yes, no or a number), boss_password, follower_password
//   [main]              label, path; only when a main program is set
//   [program]           label, path; one section per entry, in list order
//   [separator]         a separator line; flag, label and path only for odd stored values
//
// Lines starting with ';' or '#' are comments. A value stands after '=' with the blanks
// around it dropped; one in double quotes keeps its blanks and takes the escapes \\ \" \n
// \r \t and \xNN (one code page 932 byte).
#include "settings_text.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <vector>

#include "ansi_path.h"
#include "platform_text.h"

namespace {

enum class Section { none, general, main, program, separator };

enum class Field { lock_at_startup, boss_password, follower_password, main_label, main_path, label, path, flag };

struct SectionRule {
    Section section;
    std::string_view name;
};

constexpr SectionRule SECTIONS[] = {
    {Section::general, "kivel2"},
    {Section::main, "main"},
    {Section::program, "program"},
    {Section::separator, "separator"},
};

struct KeyRule {
    Section section;
    std::string_view name;
    Field field;
    bool required;
};

constexpr KeyRule KEYS[] = {
    {Section::general, "lock_at_startup", Field::lock_at_startup, true},
    {Section::general, "boss_password", Field::boss_password, true},
    {Section::general, "follower_password", Field::follower_password, true},
    {Section::main, "label", Field::main_label, true},
    {Section::main, "path", Field::main_path, true},
    {Section::program, "label", Field::label, true},
    {Section::program, "path", Field::path, true},
    {Section::separator, "flag", Field::flag, false},
    {Section::separator, "label", Field::label, false},
    {Section::separator, "path", Field::path, false},
};

// The file format ends a text at its first zero byte.
constexpr char ZERO_BYTE[] = "a text cannot hold a zero byte";

constexpr char HEADER[] = "; Kivel2 settings (kiv2.bin) as text, UTF-8.\n"
                          "; Check: kiv2cfg check FILE    Write kiv2.bin: kiv2cfg import FILE kiv2.bin\n";

std::string_view section_name(Section section)
{
    for (const SectionRule& rule : SECTIONS)
        if (rule.section == section)
            return rule.name;
    return {};
}

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lower_case(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// C1 controls (U+0080 to U+009F) and private-use characters (U+E000 to U+F8FF): what the
// platform makes of bytes that code page 932 leaves undefined, and what no editor shows.
bool has_unseen_characters(std::string_view utf8)
{
    for (std::size_t i = 0; i + 1 < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        const auto next = static_cast<unsigned char>(utf8[i + 1]);
        if ((byte == 0xC2 && next >= 0x80 && next <= 0x9F) || byte == 0xEE || (byte == 0xEF && next <= 0xA3))
            return true;
    }
    return false;
}

// Conversions that come back to the very bytes they started from; the way there also keeps
// to characters that an editor shows.
std::optional<std::string> exact_utf8(std::string_view cp932)
{
    const std::optional<std::string> utf8 = utf8_from_cp932(cp932);
    if (utf8 && !has_unseen_characters(*utf8) && cp932_from_utf8(*utf8) == cp932)
        return utf8;
    return std::nullopt;
}

std::optional<std::string> exact_cp932(std::string_view utf8)
{
    const std::optional<std::string> cp932 = cp932_from_utf8(utf8);
    if (cp932 && utf8_from_cp932(*cp932) == utf8)
        return cp932;
    return std::nullopt;
}

// ---- printing ----

// A piece of a value: text, or one byte that has no exact UTF-8 form (`byte` >= 0).
struct Piece {
    std::string text;
    int byte = -1;
};

std::vector<Piece> pieces_of(std::string_view cp932)
{
    if (cp932.empty())
        return {};
    if (std::optional<std::string> whole = exact_utf8(cp932))
        return {{*whole}};
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < cp932.size();) {
        const bool pair = is_cp932_lead_byte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size();
        const std::size_t length = pair ? 2 : 1;
        if (std::optional<std::string> character = exact_utf8(cp932.substr(i, length))) {
            if (pieces.empty() || pieces.back().byte >= 0)
                pieces.push_back({});
            pieces.back().text += *character;
            i += length;
        } else {
            pieces.push_back({{}, static_cast<unsigned char>(cp932[i])});
            ++i;
        }
    }
    return pieces;
}

bool is_control(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

std::string hex_escape(unsigned value)
{
    constexpr char DIGITS[] = "0123456789ABCDEF";
    return {'\\', 'x', DIGITS[value >> 4 & 0xF], DIGITS[value & 0xF]};
}

bool needs_quotes(const std::vector<Piece>& pieces)
{
    if (pieces.empty())
        return false;
    const std::string& first = pieces.front().text;
    const std::string& last = pieces.back().text;
    if (pieces.size() > 1 || pieces.front().byte >= 0 || is_blank(first.front()) || is_blank(last.back()) ||
        first.front() == '"')
        return true;
    for (const char c : first)
        if (is_control(c))
            return true;
    return false;
}

std::string quoted(const std::vector<Piece>& pieces)
{
    std::string out = "\"";
    for (const Piece& piece : pieces) {
        if (piece.byte >= 0) {
            out += hex_escape(static_cast<unsigned>(piece.byte));
            continue;
        }
        for (const char c : piece.text) {
            switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += is_control(c) ? hex_escape(static_cast<unsigned char>(c)) : std::string(1, c);
            }
        }
    }
    return out + "\"";
}

void print_key(std::string& out, std::string_view key, std::string_view value)
{
    out.append(key).append(value.empty() ? " =" : " = ").append(value).append("\n");
}

std::string flag_text(std::int32_t value)
{
    return value == 1 ? "yes" : value == 0 ? "no" : std::to_string(value);
}

// ---- parsing ----

struct Parser {
    Settings& settings;
    int line = 0;
    Section section = Section::none;
    int section_line = 0;
    unsigned seen = 0; // bit per KEYS index, within the current section
    bool seen_general = false;
    bool seen_main = false;
    std::optional<TextError> error;

    bool fail(std::string message, int at = -1)
    {
        error = TextError{at < 0 ? line : at, std::move(message)};
        return false;
    }

    // The keys that the section that ends here needs.
    bool close_section()
    {
        for (std::size_t i = 0; i < std::size(KEYS); ++i)
            if (KEYS[i].section == section && KEYS[i].required && !(seen >> i & 1))
                return fail(join({"[", section_name(section), "] has no ", KEYS[i].name}), section_line);
        return true;
    }

    bool open_section(std::string_view header)
    {
        if (!close_section())
            return false;
        if (header.back() != ']')
            return fail("a section header ends with ']'");
        const std::string name = lower_case(trimmed(header.substr(1, header.size() - 2)));
        section = Section::none;
        for (const SectionRule& rule : SECTIONS)
            if (rule.name == name)
                section = rule.section;
        section_line = line;
        seen = 0;
        switch (section) {
        case Section::none:
            return fail(join({"unknown section [", name, "]; known are [kivel2], [main], [program] and [separator]"}));
        case Section::general:
            if (seen_general)
                return fail("a second [kivel2] section");
            seen_general = true;
            return true;
        case Section::main:
            if (seen_main)
                return fail("a second [main] section");
            seen_main = true;
            return true;
        case Section::program:
        case Section::separator:
            if (settings.entries.size() >= MAX_ENTRIES)
                return fail(join({"more than ", std::to_string(MAX_ENTRIES), " entries: the file holds at most ",
                    std::to_string(MAX_ENTRIES)}));
            settings.entries.push_back({section == Section::separator ? 1 : 0, {}, {}});
            return true;
        }
        return true;
    }

    bool read_key(std::string_view line_text)
    {
        const std::size_t equals = line_text.find('=');
        if (equals == std::string_view::npos)
            return fail("expected \"key = value\", a [section] or a comment");
        const std::string name = lower_case(trimmed(line_text.substr(0, equals)));
        if (section == Section::none)
            return fail(join({"\"", name, "\" stands before the first section"}));
        for (std::size_t i = 0; i < std::size(KEYS); ++i) {
            if (KEYS[i].section != section || KEYS[i].name != name)
                continue;
            if (seen >> i & 1)
                return fail(join({"\"", name, "\" given twice in this [", section_name(section), "]"}));
            seen |= 1u << i;
            return store(KEYS[i].field, trimmed(line_text.substr(equals + 1)));
        }
        return fail(join({"unknown key \"", name, "\" in [", section_name(section), "]"}));
    }

    bool store(Field field, std::string_view value)
    {
        switch (field) {
        case Field::lock_at_startup:
            return number(value, settings.lock_at_startup, true);
        case Field::flag:
            return number(value, settings.entries.back().is_separator, false) &&
                (settings.entries.back().is_separator != 0 || fail("a separator's flag cannot be 0"));
        case Field::boss_password:
            return text(value, settings.boss_password);
        case Field::follower_password:
            return text(value, settings.follower_password);
        case Field::main_label:
            return text(value, settings.main_label);
        case Field::main_path:
            return text(value, settings.main_program);
        case Field::label:
            return text(value, settings.entries.back().label);
        case Field::path:
            return text(value, settings.entries.back().program);
        }
        return false;
    }

    bool number(std::string_view value, std::int32_t& target, bool yes_no)
    {
        const std::string word = lower_case(value);
        if (yes_no && (word == "yes" || word == "no")) {
            target = word == "yes" ? 1 : 0;
            return true;
        }
        const char* end = value.data() + value.size();
        const auto [stop, problem] = std::from_chars(value.data(), end, target);
        if (value.empty() || problem != std::errc() || stop != end)
            return fail(join({yes_no ? "expected yes, no or a number" : "expected a number", ", not \"", value, "\""}));
        return true;
    }

    // Converts a run of text, which must have an exact code page 932 form.
    bool append_text(std::string& target, std::string_view utf8)
    {
        if (utf8.find('\0') != std::string_view::npos)
            return fail(ZERO_BYTE);
        if (const std::optional<std::string> cp932 = exact_cp932(utf8)) {
            target += *cp932;
            return true;
        }
        return fail(what_fails(utf8));
    }

    // Names the first character that cannot be converted.
    static std::string what_fails(std::string_view utf8)
    {
        for (std::size_t i = 0; i < utf8.size();) {
            const std::size_t length = sequence_length(utf8.substr(i));
            if (length == 0)
                return "the text is not UTF-8";
            const std::string_view character = utf8.substr(i, length);
            if (!exact_cp932(character))
                return join({"\"", character, "\" has no code page 932 form"});
            i += length;
        }
        return "the text has no code page 932 form";
    }

    // The length of the UTF-8 sequence that `text` starts with; 0 when it is none.
    static std::size_t sequence_length(std::string_view text)
    {
        const auto lead = static_cast<unsigned char>(text[0]);
        const std::size_t length = lead < 0x80 ? 1
            : lead >> 5 == 0x6                 ? 2
            : lead >> 4 == 0xE                 ? 3
            : lead >> 3 == 0x1E                ? 4
                                               : 0;
        if (length == 0 || length > text.size())
            return 0;
        for (std::size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
                return 0;
        return length;
    }

    bool text(std::string_view value, std::string& target)
    {
        std::string bytes;
        if (!(value.starts_with('"') ? quoted_text(value, bytes) : append_text(bytes, value)))
            return false;
        if (bytes.size() > MAX_STRING_BYTES)
            return fail(join({"the value is ", std::to_string(bytes.size()),
                " bytes in code page 932; the file holds at most ", std::to_string(MAX_STRING_BYTES)}));
        target = std::move(bytes);
        return true;
    }

    bool quoted_text(std::string_view value, std::string& bytes)
    {
        std::string run;
        for (std::size_t i = 1; i < value.size(); ++i) {
            const char c = value[i];
            if (c == '"') {
                if (i + 1 != value.size())
                    return fail("text after the closing quote");
                return append_text(bytes, run);
            }
            if (c != '\\') {
                run += c;
                continue;
            }
            if (++i == value.size())
                break;
            switch (value[i]) {
            case '\\':
                run += '\\';
                break;
            case '"':
                run += '"';
                break;
            case 'n':
                run += '\n';
                break;
            case 'r':
                run += '\r';
                break;
            case 't':
                run += '\t';
                break;
            case 'x': {
                unsigned byte = 0;
                const char* start = value.data() + i + 1;
                if (i + 2 >= value.size() || std::from_chars(start, start + 2, byte, 16).ptr != start + 2)
                    return fail("\\x takes two hexadecimal digits");
                if (byte == 0)
                    return fail(ZERO_BYTE);
                if (!append_text(bytes, run))
                    return false;
                run.clear();
                bytes += static_cast<char>(byte);
                i += 2;
                break;
            }
            default:
                return fail(std::string("unknown escape \\") + value[i]);
            }
        }
        return fail("no closing quote");
    }

    bool read_line(std::string_view line_text)
    {
        if (!line_text.empty() && line_text.back() == '\r')
            line_text.remove_suffix(1);
        const std::string_view content = trimmed(line_text);
        if (content.empty() || content.front() == ';' || content.front() == '#')
            return true;
        if (content.front() == '[')
            return open_section(content);
        return read_key(content);
    }
};

} // namespace

std::string join(std::initializer_list<std::string_view> parts)
{
    std::string joined;
    for (const std::string_view part : parts)
        joined += part;
    return joined;
}

std::string text_value(std::string_view cp932)
{
    const std::vector<Piece> pieces = pieces_of(cp932);
    if (needs_quotes(pieces))
        return quoted(pieces);
    return pieces.empty() ? std::string() : pieces.front().text;
}

std::string settings_to_text(const Settings& settings)
{
    std::string out = HEADER;
    out += "\n[kivel2]\n";
    print_key(out, "lock_at_startup", flag_text(settings.lock_at_startup));
    print_key(out, "boss_password", text_value(settings.boss_password));
    print_key(out, "follower_password", text_value(settings.follower_password));
    if (!settings.main_program.empty() || !settings.main_label.empty()) {
        out += "\n[main]\n";
        print_key(out, "label", text_value(settings.main_label));
        print_key(out, "path", text_value(settings.main_program));
    }
    for (const SoftwareEntry& entry : settings.entries) {
        if (!entry.is_separator) {
            out += "\n[program]\n";
            print_key(out, "label", text_value(entry.label));
            print_key(out, "path", text_value(entry.program));
            continue;
        }
        out += "\n[separator]\n";
        if (entry.is_separator != 1)
            print_key(out, "flag", std::to_string(entry.is_separator));
        if (!entry.label.empty())
            print_key(out, "label", text_value(entry.label));
        if (!entry.program.empty())
            print_key(out, "path", text_value(entry.program));
    }
    return out;
}

std::optional<TextError> settings_from_text(std::string_view text, Settings& settings)
{
    settings.reset_to_defaults();
    settings.lock_at_startup = 0;
    // Notepad may begin a UTF-8 file with a byte order mark.
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    Parser parser{settings, 0, Section::none, 0, 0, false, false, std::nullopt};
    while (!text.empty() || parser.line == 0) {
        ++parser.line;
        const std::size_t end = text.find('\n');
        if (!parser.read_line(text.substr(0, end)))
            return parser.error;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    if (!parser.close_section())
        return parser.error;
    if (!parser.seen_general)
        return TextError{0, "no [kivel2] section with lock_at_startup and both passwords"};
    return std::nullopt;
}
