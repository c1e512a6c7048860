// The settings store on POSIX systems, for native tests, fuzzing and the build's own tools.
// POSIX has neither hidden files nor exclusive opens; everything else behaves as on Windows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "file_backend.h"

namespace {

class PosixFile final : public BinaryFile {
public:
    explicit PosixFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixFile() override { ::close(descriptor_); }

    std::optional<std::uint64_t> length() override
    {
        struct stat status {};
        if (::fstat(descriptor_, &status) != 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(status.st_size);
    }

    // POSIX may hand out a file in pieces; the loop ends at the end of the file.
    std::optional<std::size_t> read_up_to(void* buffer, std::size_t size) override
    {
        auto* bytes = static_cast<char*>(buffer);
        std::size_t total = 0;
        while (total < size) {
            const ssize_t done = ::read(descriptor_, bytes + total, size - total);
            if (done < 0 && errno == EINTR)
                continue;
            if (done < 0)
                return std::nullopt;
            if (done == 0)
                break;
            total += static_cast<std::size_t>(done);
        }
        return total;
    }

    bool write(const void* buffer, std::size_t size) override
    {
        const auto* bytes = static_cast<const char*>(buffer);
        while (size > 0) {
            const ssize_t done = ::write(descriptor_, bytes, size);
            if (done < 0 && errno == EINTR)
                continue;
            if (done <= 0)
                return false;
            bytes += done;
            size -= static_cast<std::size_t>(done);
        }
        return true;
    }

    bool flush() override { return ::fsync(descriptor_) == 0; }

private:
    int descriptor_;
};

class PosixFiles final : public FileBackend {
public:
    std::unique_ptr<BinaryFile> open_existing(const std::string& path) override { return open(path, O_RDONLY); }

    std::unique_ptr<BinaryFile> create_hidden(const std::string& path) override
    {
        return open(path, O_WRONLY | O_CREAT | O_TRUNC);
    }

    bool replace(const std::string& source, const std::string& target) override
    {
        return std::rename(source.c_str(), target.c_str()) == 0;
    }

    void remove(const std::string& path) override { ::unlink(path.c_str()); }

private:
    static std::unique_ptr<BinaryFile> open(const std::string& path, int flags)
    {
        const int descriptor = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
        if (descriptor < 0)
            return nullptr;
        return std::make_unique<PosixFile>(descriptor);
    }
};

} // namespace

FileBackend& platform_files()
{
    static PosixFiles files;
    return files;
}
