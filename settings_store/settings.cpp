// Reading and writing the settings record as the file "kiv2.bin".
#include "settings.h"

#include <cstring>
#include <utility>

#include "ansi_path.h"
#include "file_backend.h"
#include "settings_codec.h"

namespace {

constexpr std::size_t MAGIC_SIZE = 5;
constexpr char MAGIC_CURRENT[] = "KIVL3";
// The older version lacks the start-up flag; it is still read, never written.
constexpr char MAGIC_OLDER[] = "KIVL2";
// The new file is written under this name beside the old one, then moved over it.
constexpr char TEMPORARY_SUFFIX[] = ".tmp";

bool fits_file_format(const Settings& settings)
{
    const auto fits = [](const std::string& text) { return std::strlen(text.c_str()) <= MAX_STRING_BYTES; };
    if (settings.entries.size() > MAX_ENTRIES)
        return false;
    if (!fits(settings.boss_password) || !fits(settings.follower_password) || !fits(settings.main_label) ||
        !fits(settings.main_program))
        return false;
    for (const SoftwareEntry& entry : settings.entries)
        if (!fits(entry.label) || !fits(entry.program))
            return false;
    return true;
}

bool write_record(BinaryFile& file, const Settings& settings)
{
    if (!file.write(MAGIC_CURRENT, MAGIC_SIZE) || !write_int32(file, settings.lock_at_startup) ||
        !write_string(file, settings.boss_password) || !write_string(file, settings.follower_password) ||
        !write_string(file, settings.main_label) || !write_string(file, settings.main_program))
        return false;
    const auto count = static_cast<unsigned char>(settings.entries.size());
    if (!file.write(&count, 1))
        return false;
    for (const SoftwareEntry& entry : settings.entries)
        if (!write_int32(file, entry.is_separator) || !write_string(file, entry.label) ||
            !write_string(file, entry.program))
            return false;
    return true;
}

} // namespace

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

    char magic[MAGIC_SIZE];
    if (!file->read(magic, MAGIC_SIZE))
        return false;
    if (std::memcmp(magic, MAGIC_CURRENT, MAGIC_SIZE) == 0) {
        if (!read_int32(*file, lock_at_startup))
            return false;
    } else if (std::memcmp(magic, MAGIC_OLDER, MAGIC_SIZE) != 0) {
        return false;
    }

    if (!read_string(*file, boss_password) || !read_string(*file, follower_password) ||
        !read_string(*file, main_label) || !read_string(*file, main_program))
        return false;

    unsigned char count = 0;
    if (!file->read(&count, 1))
        return false;
    entries.reserve(count);
    SoftwareEntry entry;
    for (unsigned i = 0; i < count; ++i) {
        if (!read_int32(*file, entry.is_separator) || !read_string(*file, entry.label) ||
            !read_string(*file, entry.program))
            return false;
        entries.push_back(entry);
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
    if (!fits_file_format(*this))
        return false;

    const std::string temporary = file_path + TEMPORARY_SUFFIX;
    std::unique_ptr<BinaryFile> file = files.create_hidden(temporary);
    if (!file)
        return false;
    const bool written = write_record(*file, *this) && file->flush();
    file.reset();
    if (written && files.replace(temporary, file_path))
        return true;
    files.remove(temporary);
    return false;
}
