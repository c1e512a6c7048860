// Field encodings of the settings file.
#include "settings_codec.h"

#include <cstring>
#include <vector>

#include "file_backend.h"

void swap_nibbles(unsigned char* buffer, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = static_cast<unsigned char>((buffer[i] & 0x0F) << 4 | buffer[i] >> 4);
}

bool write_string(BinaryFile& file, const std::string& text)
{
    const std::size_t length = std::strlen(text.c_str());
    std::vector<unsigned char> bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    swap_nibbles(bytes.data(), bytes.size());
    const unsigned char prefix[2] = {
        static_cast<unsigned char>(length & 0xFF), static_cast<unsigned char>(length >> 8 & 0xFF)};
    return file.write(prefix, sizeof prefix) && file.write(bytes.data(), bytes.size());
}

bool read_string(BinaryFile& file, std::string& text)
{
    unsigned char prefix[2];
    if (!file.read(prefix, sizeof prefix))
        return false;
    const std::size_t length = prefix[0] | std::size_t{prefix[1]} << 8;
    std::vector<unsigned char> bytes(length + 1, 0);
    if (!file.read(bytes.data(), length))
        return false;
    swap_nibbles(bytes.data(), length);
    text.assign(reinterpret_cast<const char*>(bytes.data()));
    return true;
}

bool write_int32(BinaryFile& file, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits & 0xFF),
        static_cast<unsigned char>(bits >> 8 & 0xFF), static_cast<unsigned char>(bits >> 16 & 0xFF),
        static_cast<unsigned char>(bits >> 24 & 0xFF)};
    return file.write(bytes, sizeof bytes);
}

bool read_int32(BinaryFile& file, std::int32_t& value)
{
    unsigned char bytes[4];
    if (!file.read(bytes, sizeof bytes))
        return false;
    value = static_cast<std::int32_t>(
        bytes[0] | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
    return true;
}
