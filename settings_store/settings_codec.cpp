// Field encodings of the settings file.
#include "settings_codec.h"

#include <cstring>

namespace {

void copy_swapped(unsigned char* to, const unsigned char* from, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        to[i] = static_cast<unsigned char>((from[i] & 0x0F) << 4 | from[i] >> 4);
}

} // namespace

void swap_nibbles(unsigned char* buffer, std::size_t length)
{
    copy_swapped(buffer, buffer, length);
}

bool FieldReader::bytes(void* buffer, std::size_t size)
{
    if (left_ < size)
        return false;
    std::memcpy(buffer, next_, size);
    next_ += size;
    left_ -= size;
    return true;
}

bool FieldReader::int32(std::int32_t& value)
{
    unsigned char field[4];
    if (!bytes(field, sizeof field))
        return false;
    value = static_cast<std::int32_t>(
        field[0] | std::uint32_t{field[1]} << 8 | std::uint32_t{field[2]} << 16 | std::uint32_t{field[3]} << 24);
    return true;
}

bool FieldReader::string(std::string& text)
{
    unsigned char prefix[2];
    if (!bytes(prefix, sizeof prefix))
        return false;
    const std::size_t length = prefix[0] | std::size_t{prefix[1]} << 8;
    if (left_ < length)
        return false;
    // A byte swaps to zero only when it is zero.
    const void* zero = std::memchr(next_, 0, length);
    const std::size_t kept = zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - next_) : length;
    text.resize(kept);
    copy_swapped(reinterpret_cast<unsigned char*>(text.data()), next_, kept);
    next_ += length;
    left_ -= length;
    return true;
}

void FieldWriter::bytes(const void* buffer, std::size_t size)
{
    std::memcpy(next_, buffer, size);
    next_ += size;
}

void FieldWriter::int32(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char field[4] = {static_cast<unsigned char>(bits & 0xFF),
        static_cast<unsigned char>(bits >> 8 & 0xFF), static_cast<unsigned char>(bits >> 16 & 0xFF),
        static_cast<unsigned char>(bits >> 24 & 0xFF)};
    bytes(field, sizeof field);
}

void FieldWriter::string(std::string_view text)
{
    const unsigned char prefix[2] = {
        static_cast<unsigned char>(text.size() & 0xFF), static_cast<unsigned char>(text.size() >> 8 & 0xFF)};
    bytes(prefix, sizeof prefix);
    copy_swapped(next_, reinterpret_cast<const unsigned char*>(text.data()), text.size());
    next_ += text.size();
}
