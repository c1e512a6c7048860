// A file backend that passes everything to a real one but makes chosen operations fail, to
// show what a failure at that point leaves on disk, or hands out a file a few bytes per read.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "file_backend.h"

class FailingFiles final : public FileBackend {
public:
    explicit FailingFiles(FileBackend& real) : real_(real) {}

    // Which operation fails: the write with this index (counted from 0 over all files
    // created through this backend), or none when negative.
    int failing_write = -1;
    bool fail_flush = false;
    bool fail_replace = false;
    // At most this many bytes per read when nonzero, as a file system may hand them out.
    std::size_t bytes_per_read = 0;
    // Writes seen so far.
    int writes = 0;

    std::unique_ptr<BinaryFile> open_existing(const std::string& path) override
    {
        return wrapped(real_.open_existing(path));
    }

    std::unique_ptr<BinaryFile> create_hidden(const std::string& path) override
    {
        return wrapped(real_.create_hidden(path));
    }

    bool replace(const std::string& source, const std::string& target) override
    {
        return !fail_replace && real_.replace(source, target);
    }

    void remove(const std::string& path) override { real_.remove(path); }

private:
    class File final : public BinaryFile {
    public:
        File(FailingFiles& owner, std::unique_ptr<BinaryFile> real) : owner_(owner), real_(std::move(real)) {}
        std::optional<std::uint64_t> length() override { return real_->length(); }
        std::optional<std::size_t> read_up_to(void* buffer, std::size_t size) override
        {
            return real_->read_up_to(buffer, owner_.bytes_per_read ? std::min(size, owner_.bytes_per_read) : size);
        }
        bool write(const void* buffer, std::size_t size) override
        {
            return owner_.writes++ != owner_.failing_write && real_->write(buffer, size);
        }
        bool flush() override { return !owner_.fail_flush && real_->flush(); }

    private:
        FailingFiles& owner_;
        std::unique_ptr<BinaryFile> real_;
    };

    std::unique_ptr<BinaryFile> wrapped(std::unique_ptr<BinaryFile> file)
    {
        if (!file)
            return nullptr;
        return std::make_unique<File>(*this, std::move(file));
    }

    FileBackend& real_;
};
