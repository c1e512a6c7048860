// The few whole-file operations the settings store needs, behind an interface so that the
// file format runs on Windows (CreateFileA and friends) and natively (POSIX, for tests and
// fuzzing) alike, and so that tests can make any single operation fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// An open file, closed when destroyed. Calls are synchronous.
class BinaryFile {
public:
    BinaryFile() = default;
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;
    virtual ~BinaryFile() = default;

    // The file's length in bytes; nothing when it cannot be had.
    virtual std::optional<std::uint64_t> length() = 0;
    // Reads until `size` bytes or the end of the file, in one call where the platform allows;
    // how many bytes came, or nothing on an error.
    virtual std::optional<std::size_t> read_up_to(void* buffer, std::size_t size) = 0;
    // True when all `size` bytes were written.
    virtual bool write(const void* buffer, std::size_t size) = 0;
    // True when everything written so far has reached the disk.
    virtual bool flush() = 0;
};

class FileBackend {
public:
    FileBackend() = default;
    FileBackend(const FileBackend&) = delete;
    FileBackend& operator=(const FileBackend&) = delete;
    virtual ~FileBackend() = default;

    // Opens an existing file for reading, shared with nobody; null when that fails.
    virtual std::unique_ptr<BinaryFile> open_existing(const std::string& path) = 0;
    // Creates a hidden file for writing, shared with nobody, replacing any file of that
    // name; null when that fails.
    virtual std::unique_ptr<BinaryFile> create_hidden(const std::string& path) = 0;
    // Puts `source` in the place of `target` in one step; on failure both stay as they were.
    virtual bool replace(const std::string& source, const std::string& target) = 0;
    // Deletes a file; a missing file is no error.
    virtual void remove(const std::string& path) = 0;
};

// What the platform the program was built for provides; one implementation per platform,
// chosen at link time.
FileBackend& platform_files();
