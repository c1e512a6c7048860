// Reading and writing the settings record as the file "kiv2.bin".
#include "settings.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "file_backend.h"
#include "settings_codec.h"
#include "settings_file_path.h"

namespace {

constexpr std::size_t MAGIC_SIZE = 5;
constexpr char MAGIC_CURRENT[] = "KIVL3";
// The older version lacks the start-up flag; it is still read, never written.
constexpr char MAGIC_OLDER[] = "KIVL2";
// The new file is written under this name beside the old one, then moved over it.
constexpr char TEMPORARY_SUFFIX[] = ".tmp";

// The largest file a record can make: what lies beyond it is never part of a record.
constexpr std::size_t MAX_FILE_BYTES =
    MAGIC_SIZE + 4 + 4 * (2 + MAX_STRING_BYTES) + 1 + MAX_ENTRIES * (4 + 2 * (2 + MAX_STRING_BYTES));

// The strings in the order the file holds them, each cut as the file stores it.
std::vector<std::string_view> strings_in_file_order(const Settings& settings)
{
    std::vector<std::string_view> strings{stored_text(settings.boss_password), stored_text(settings.follower_password),
        stored_text(settings.main_label), stored_text(settings.main_program)};
    strings.reserve(strings.size() + 2 * settings.entries.size());
    for (const SoftwareEntry& entry : settings.entries) {
        strings.push_back(stored_text(entry.label));
        strings.push_back(stored_text(entry.program));
    }
    return strings;
}

// How many bytes the file for `settings` takes, whose strings are `strings`; nothing when
// the record does not fit the format.
std::optional<std::size_t> file_size(const Settings& settings, const std::vector<std::string_view>& strings)
{
    if (settings.entries.size() > MAX_ENTRIES)
        return std::nullopt;
    std::size_t size = MAGIC_SIZE + 4 + 1 + 4 * settings.entries.size();
    for (const std::string_view text : strings) {
        if (text.size() > MAX_STRING_BYTES)
            return std::nullopt;
        size += encoded_size(text);
    }
    return size;
}

void encode(const Settings& settings, const std::vector<std::string_view>& strings, FieldWriter& out)
{
    out.bytes(MAGIC_CURRENT, MAGIC_SIZE);
    out.int32(settings.lock_at_startup);
    for (std::size_t i = 0; i < 4; ++i)
        out.string(strings[i]);
    const auto count = static_cast<unsigned char>(settings.entries.size());
    out.bytes(&count, 1);
    for (std::size_t i = 0; i < settings.entries.size(); ++i) {
        out.int32(settings.entries[i].is_separator);
        out.string(strings[4 + 2 * i]);
        out.string(strings[5 + 2 * i]);
    }
}

} // namespace

bool starts_like_settings_file(std::string_view bytes)
{
    return bytes.starts_with(std::string_view(MAGIC_CURRENT, MAGIC_SIZE)) ||
        bytes.starts_with(std::string_view(MAGIC_OLDER, MAGIC_SIZE));
}

Settings::Settings() : Settings(settings_file_path_for(program_file_path(), is_ansi_lead_byte)) {}

Settings::Settings(std::string settings_file) : file_path(std::move(settings_file))
{
    reset_to_defaults();
}

void Settings::reset_to_defaults()
{
    entries.clear();
    follower_password = DEFAULT_PASSWORD;
    boss_password = DEFAULT_PASSWORD;
    main_label.clear();
    main_program.clear();
}

void Settings::assign_values(const Settings& other)
{
    main_label = other.main_label;
    main_program = other.main_program;
    boss_password = other.boss_password;
    follower_password = other.follower_password;
    entries = other.entries;
    lock_at_startup = other.lock_at_startup;
}

bool Settings::load()
{
    return load(platform_files());
}

bool Settings::load(FileBackend& files)
{
    reset_to_defaults();
    const std::unique_ptr<BinaryFile> file = files.open_existing(file_path);
    if (!file)
        return false;
    const std::optional<std::uint64_t> length = file->length();
    if (!length)
        return false;
    FieldReader in(*file, static_cast<std::size_t>(std::min<std::uint64_t>(*length, MAX_FILE_BYTES)));

    char magic[MAGIC_SIZE];
    if (!in.bytes(magic, MAGIC_SIZE))
        return false;
    if (std::memcmp(magic, MAGIC_CURRENT, MAGIC_SIZE) == 0) {
        if (!in.int32(lock_at_startup))
            return false;
    } else if (std::memcmp(magic, MAGIC_OLDER, MAGIC_SIZE) != 0) {
        return false;
    }

    if (!in.string(boss_password) || !in.string(follower_password) || !in.string(main_label) ||
        !in.string(main_program))
        return false;

    unsigned char count = 0;
    if (!in.bytes(&count, 1))
        return false;
    entries.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        // Only whole entries join the list.
        SoftwareEntry& entry = entries.emplace_back();
        if (!in.int32(entry.is_separator) || !in.string(entry.label) || !in.string(entry.program)) {
            entries.pop_back();
            return false;
        }
    }
    // Whatever follows the last entry is not ours to judge.
    return true;
}

bool Settings::save() const
{
    return save(platform_files());
}

bool Settings::save(FileBackend& files) const
{
    const std::vector<std::string_view> strings = strings_in_file_order(*this);
    const std::optional<std::size_t> size = file_size(*this, strings);
    if (!size)
        return false;

    const std::string temporary = file_path + TEMPORARY_SUFFIX;
    std::unique_ptr<BinaryFile> file = files.create_hidden(temporary);
    if (!file)
        return false;
    FieldWriter out(*file, *size);
    encode(*this, strings, out);
    const bool written = out.finish() && file->flush();
    file.reset();
    if (written && files.replace(temporary, file_path))
        return true;
    files.remove(temporary);
    return false;
}
