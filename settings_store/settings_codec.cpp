// Field encodings of the settings file.
#include "settings_codec.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

void swap_nibbles(unsigned char* buffer, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = static_cast<unsigned char>((buffer[i] & 0x0F) << 4 | buffer[i] >> 4);
}

std::size_t zero_byte_at(const unsigned char* bytes, std::size_t length)
{
    std::size_t at = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    for (; at + 16 <= length; at += 16) {
        const int zeros =
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + at)), zero));
        if (zeros)
            return at + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(zeros)));
    }
#endif
    for (; at < length; ++at)
        if (bytes[at] == 0)
            return at;
    return length;
}

bool FieldReader::bytes(void* buffer, std::size_t size)
{
    if (left_ < size)
        return false;
    std::memcpy(buffer, next_, size);
    swap_nibbles(static_cast<unsigned char*>(buffer), size);
    next_ += size;
    left_ -= size;
    return true;
}

bool FieldReader::int32(std::int32_t& value)
{
    if (left_ < 4)
        return false;
    value = static_cast<std::int32_t>(
        byte_ahead(0) | std::uint32_t{byte_ahead(1)} << 8 | std::uint32_t{byte_ahead(2)} << 16 |
        std::uint32_t{byte_ahead(3)} << 24);
    next_ += 4;
    left_ -= 4;
    return true;
}

bool FieldReader::string(std::string& text)
{
    if (left_ < 2)
        return false;
    const std::size_t length = byte_ahead(0) | std::size_t{byte_ahead(1)} << 8;
    next_ += 2;
    left_ -= 2;
    if (left_ < length)
        return false;
    // A byte is zero after the swap only when it was zero before.
    text.assign(reinterpret_cast<const char*>(next_), zero_byte_at(next_, length));
    next_ += length;
    left_ -= length;
    return true;
}

void FieldWriter::bytes(const void* buffer, std::size_t size)
{
    std::memcpy(next_, buffer, size);
    swap_nibbles(next_, size);
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
    std::memcpy(next_, text.data(), text.size());
    next_ += text.size();
}
