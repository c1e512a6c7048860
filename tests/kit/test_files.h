// Files for tests on both platforms: a private temporary directory and whole-file byte access.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// "4B 49 56" -> {0x4B, 0x49, 0x56}
inline Bytes hex(const std::string& text)
{
    Bytes bytes;
    std::istringstream in(text);
    for (std::string pair; in >> pair;)
        bytes.push_back(static_cast<unsigned char>(std::stoul(pair, nullptr, 16)));
    return bytes;
}

inline Bytes read_bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Throws when the file cannot be written, so that a test never goes on with the old bytes.
inline void write_bytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

class TempDir {
public:
    TempDir()
    {
        std::random_device random;
        do
            path_ = std::filesystem::temp_directory_path() / ("kivel-test-" + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // Paths are plain ASCII here, so their narrow form suits the ANSI API too.
    std::string path() const { return path_.string(); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            found.push_back(entry.path().filename().string());
        return found;
    }

private:
    std::filesystem::path path_;
};
