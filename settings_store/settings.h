// The record that the lock program and the settings tool share through "kiv2.bin": the
// passwords of both access levels, the main software, the registered software and the
// option to lock at start-up. All text is held as code page 932 bytes, unconverted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class FileBackend;

// One registered program, or a separator line (is_separator nonzero, whatever the strings).
struct SoftwareEntry {
    std::int32_t is_separator = 0;
    std::string label;
    std::string program;
};

// What the file can hold: the entry count is one byte, a string length two.
inline constexpr std::size_t MAX_ENTRIES = 255;
inline constexpr std::size_t MAX_STRING_BYTES = 65535;

inline constexpr char DEFAULT_PASSWORD[] = "tovi";

// Whether `bytes` begin as a settings file of either version does.
bool starts_like_settings_file(std::string_view bytes);

class Settings {
public:
    // A fresh record for the file "kiv2.bin" beside the running program.
    Settings();
    // A fresh record for the file at `settings_file`.
    explicit Settings(std::string settings_file);
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;
    virtual ~Settings() = default;

    // Both passwords back to "tovi", no main software, no entries; the file path and the
    // start-up option stay as they are.
    void reset_to_defaults();

    // Every value of `other` but its file path: a record to be saved somewhere else.
    void assign_values(const Settings& other);

    // Reads the whole file; false when it is missing, in use or cut short, or has another
    // magic. After a failure the members read so far keep their new values.
    bool load();
    bool load(FileBackend& files);

    // Writes the record as a hidden "KIVL3" file that replaces the old one only once it is
    // complete; false, with the old file untouched, when anything fails or the record does
    // not fit the format.
    bool save() const;
    bool save(FileBackend& files) const;

    std::string main_label;
    std::string main_program;
    std::string boss_password;
    std::string follower_password;
    const std::string file_path;
    std::vector<SoftwareEntry> entries;
    std::int32_t lock_at_startup = 0;
};
