// Field encodings of the settings file.
#include "settings_codec.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "file_backend.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

void swap_nibbles(unsigned char* buffer, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = swapped_byte(buffer[i]);
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
    // The last sixteen bytes in one more step, some of them again: those were not zero.
    if (at < length && length >= 16) {
        const std::size_t last = length - 16;
        const int zeros =
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + last)), zero));
        return zeros ? last + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(zeros))) : length;
    }
#endif
    for (; at < length; ++at)
        if (bytes[at] == 0)
            return at;
    return length;
}

FieldReader::FieldReader(BinaryFile& file, std::size_t limit)
    : file_(file),
      file_left_(limit),
      capacity_(std::min(limit, IO_BUFFER_BYTES)),
      buffer_(std::make_unique_for_overwrite<unsigned char[]>(capacity_))
{
}

bool FieldReader::refill(std::size_t count)
{
    // What is left unread moves to the front, and the file fills the rest.
    std::memmove(buffer_.get(), next(), available());
    end_ = available();
    begin_ = 0;
    while (end_ < count) {
        const std::size_t wanted = std::min(capacity_ - end_, file_left_);
        const std::optional<std::size_t> read =
            wanted > 0 ? file_.read_up_to(buffer_.get() + end_, wanted) : std::nullopt;
        if (!read || *read == 0)
            return false;
        swap_nibbles(buffer_.get() + end_, *read);
        end_ += *read;
        file_left_ -= *read;
    }
    return true;
}

bool FieldReader::bytes(void* buffer, std::size_t size)
{
    if (!ready(size))
        return false;
    std::memcpy(buffer, next(), size);
    swap_nibbles(static_cast<unsigned char*>(buffer), size);
    begin_ += size;
    return true;
}

bool FieldReader::int32(std::int32_t& value)
{
    if (!ready(4))
        return false;
    value = static_cast<std::int32_t>(plain_byte(0) | std::uint32_t{plain_byte(1)} << 8 |
        std::uint32_t{plain_byte(2)} << 16 | std::uint32_t{plain_byte(3)} << 24);
    begin_ += 4;
    return true;
}

bool FieldReader::string(std::string& text)
{
    if (!ready(2))
        return false;
    std::size_t left = plain_byte(0) | std::size_t{plain_byte(1)} << 8;
    begin_ += 2;
    // A byte is zero after the swap only when it was zero before. A string the buffer holds
    // whole, which is every string of a file the settings tool makes, goes to its member at once.
    if (left <= available()) {
        text.assign(reinterpret_cast<const char*>(next()), zero_byte_at(next(), left));
        begin_ += left;
        return true;
    }
    // A string that goes on past the buffer is put together from several reads.
    std::string value;
    value.reserve(left);
    bool ended = false;
    while (left > 0) {
        if (!ready(1))
            return false;
        const std::size_t size = std::min(left, available());
        if (!ended) {
            const std::size_t kept = zero_byte_at(next(), size);
            ended = kept < size;
            value.append(reinterpret_cast<const char*>(next()), kept);
        }
        begin_ += size;
        left -= size;
    }
    text = std::move(value);
    return true;
}

FieldWriter::FieldWriter(BinaryFile& file, std::size_t size)
    : file_(file),
      capacity_(std::clamp<std::size_t>(size, 1, IO_BUFFER_BYTES)),
      buffer_(std::make_unique_for_overwrite<unsigned char[]>(capacity_))
{
}

void FieldWriter::put(const unsigned char* bytes, std::size_t size, bool swapped)
{
    while (size > 0) {
        if (used_ == capacity_)
            write_buffer();
        const std::size_t part = std::min(size, capacity_ - used_);
        unsigned char* target = buffer_.get() + used_;
        std::memcpy(target, bytes, part);
        if (swapped)
            swap_nibbles(target, part);
        used_ += part;
        bytes += part;
        size -= part;
    }
}

void FieldWriter::write_buffer()
{
    if (!failed_)
        failed_ = !file_.write(buffer_.get(), used_);
    used_ = 0;
}

void FieldWriter::bytes(const void* buffer, std::size_t size)
{
    put(static_cast<const unsigned char*>(buffer), size, false);
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
    put(reinterpret_cast<const unsigned char*>(text.data()), text.size(), true);
}

bool FieldWriter::finish()
{
    if (used_ > 0)
        write_buffer();
    return !failed_;
}
