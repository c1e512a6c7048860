// The settings store on Windows: files through CreateFileA and friends. A file is read while
// nobody writes it and written while nobody else has it open, so a load never meets a
// half-written file.
#include <windows.h>

#include "file_backend.h"
#include "scoped_handles.h"

namespace {

// Another program may hold the file for a moment (the settings tool, a backup, a virus
// scanner): a station at logon must not come up unlocked for that.
constexpr ULONGLONG SHARING_RETRY_MS = 2000;
constexpr DWORD SHARING_RETRY_PAUSE_MS = 50;

class Win32File final : public BinaryFile {
public:
    // Takes over `handle`, an open file.
    explicit Win32File(HANDLE handle) : handle_(handle) {}

    std::optional<std::uint64_t> length() override
    {
        LARGE_INTEGER size;
        if (!GetFileSizeEx(handle_.get(), &size))
            return std::nullopt;
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::optional<std::size_t> read_up_to(void* buffer, std::size_t size) override
    {
        DWORD done = 0;
        if (size > MAXDWORD || !ReadFile(handle_.get(), buffer, static_cast<DWORD>(size), &done, nullptr))
            return std::nullopt;
        return done;
    }

    bool write(const void* buffer, std::size_t size) override
    {
        if (size == 0)
            return true;
        DWORD done = 0;
        return size <= MAXDWORD && WriteFile(handle_.get(), buffer, static_cast<DWORD>(size), &done, nullptr) &&
            done == size;
    }

    bool flush() override { return FlushFileBuffers(handle_.get()) != FALSE; }

private:
    OwnedFile handle_;
};

class Win32Files final : public FileBackend {
public:
    std::unique_ptr<BinaryFile> open_existing(const std::string& path) override
    {
        const ULONGLONG give_up = GetTickCount64() + SHARING_RETRY_MS;
        for (;;) {
            if (auto file = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL))
                return file;
            if (GetLastError() != ERROR_SHARING_VIOLATION || GetTickCount64() >= give_up)
                return nullptr;
            Sleep(SHARING_RETRY_PAUSE_MS);
        }
    }

    std::unique_ptr<BinaryFile> create_hidden(const std::string& path) override
    {
        return open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_HIDDEN);
    }

    bool replace(const std::string& source, const std::string& target) override
    {
        // A read-only file is not to be replaced. Windows refuses by itself, Wine does not.
        const DWORD attributes = GetFileAttributesA(target.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
            return false;
        return MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    }

    void remove(const std::string& path) override { DeleteFileA(path.c_str()); }

private:
    static std::unique_ptr<BinaryFile> open(
        const std::string& path, DWORD access, DWORD sharing, DWORD disposition, DWORD attributes)
    {
        const HANDLE handle = CreateFileA(path.c_str(), access, sharing, nullptr, disposition, attributes, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return nullptr;
        return std::make_unique<Win32File>(handle);
    }
};

} // namespace

FileBackend& platform_files()
{
    static Win32Files files;
    return files;
}
