// A slow, plain reader of the settings file that shares no code with the settings store: one
// fread per field, each string's bytes swapped one at a time. The fuzz target holds the
// store's reader to it, byte image for byte image, for files that load and files that do not.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "settings.h"

namespace reference {

inline bool read_int32(std::FILE* file, std::int32_t& value)
{
    unsigned char bytes[4];
    if (std::fread(bytes, 1, 4, file) != 4)
        return false;
    value = static_cast<std::int32_t>(
        bytes[0] | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
    return true;
}

// The text ends at the first zero byte; a cut string leaves `text` as it was.
inline bool read_string(std::FILE* file, std::string& text)
{
    unsigned char prefix[2];
    if (std::fread(prefix, 1, 2, file) != 2)
        return false;
    std::string bytes(prefix[0] | prefix[1] << 8, '\0');
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
        return false;
    std::string decoded;
    for (const char stored : bytes) {
        const auto byte = static_cast<unsigned char>(stored);
        if (byte == 0)
            break;
        decoded += static_cast<char>((byte & 0x0F) << 4 | byte >> 4);
    }
    text = decoded;
    return true;
}

// What load() must leave in `settings` and return for the file at `path`: a fresh record's
// defaults, then every field read before the first one the file ends inside, and only whole
// entries.
inline bool load(Settings& settings, const char* path)
{
    settings.reset_to_defaults();
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    const auto read_all = [&] {
        char magic[5];
        if (std::fread(magic, 1, 5, file) != 5)
            return false;
        if (std::memcmp(magic, "KIVL3", 5) == 0) {
            if (!read_int32(file, settings.lock_at_startup))
                return false;
        } else if (std::memcmp(magic, "KIVL2", 5) != 0) {
            return false;
        }
        if (!read_string(file, settings.boss_password) || !read_string(file, settings.follower_password) ||
            !read_string(file, settings.main_label) || !read_string(file, settings.main_program))
            return false;
        unsigned char count = 0;
        if (std::fread(&count, 1, 1, file) != 1)
            return false;
        for (unsigned i = 0; i < count; ++i) {
            SoftwareEntry entry;
            if (!read_int32(file, entry.is_separator) || !read_string(file, entry.label) ||
                !read_string(file, entry.program))
                return false;
            settings.entries.push_back(entry);
        }
        return true;
    };
    const bool loaded = read_all();
    std::fclose(file);
    return loaded;
}

} // namespace reference
