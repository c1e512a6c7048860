// Field encodings of the settings file: little-endian integers and length-prefixed strings
// whose bytes have their high and low nibbles swapped. The file passes through one buffer on
// its way in or out: every file the settings tool makes fits it and moves in one call, and
// the largest files the format allows stream through it instead of doubling the memory
// they take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class BinaryFile;

// The most a read or a write moves at once: more than the largest file the settings tool
// can make (about 130 KB), a small part of the largest the format can hold (about 33 MB).
inline constexpr std::size_t IO_BUFFER_BYTES = 256 * 1024;

// A byte with its two halves exchanged.
constexpr unsigned char swapped_byte(unsigned char value)
{
    return static_cast<unsigned char>((value & 0x0F) << 4 | value >> 4);
}

// Swaps the two halves of every byte; applying it twice gives the bytes back.
void swap_nibbles(unsigned char* buffer, std::size_t length);

// Takes the fields of a file from its start, reading no more than its first `limit` bytes.
// A field that these end inside, or that a failed read cuts, fails, and its target keeps its
// value. What comes in is swapped at once, in one pass: the bytes of strings, nearly all of a
// file, are then ready to copy, and the few plain fields swap back as they are taken.
class FieldReader {
public:
    FieldReader(BinaryFile& file, std::size_t limit);

    bool bytes(void* buffer, std::size_t size);
    bool int32(std::int32_t& value);
    // One encoded string; the text ends at the first zero byte, but every stored byte is
    // consumed.
    bool string(std::string& text);

private:
    // At least `count` bytes, no more than the buffer holds, are ready at `next()`.
    bool ready(std::size_t count) { return available() >= count || refill(count); }
    bool refill(std::size_t count);
    unsigned char* next() { return buffer_.get() + begin_; }
    // The byte `at` past `next()` as the file holds it.
    unsigned char plain_byte(std::size_t at) const { return swapped_byte(buffer_[begin_ + at]); }
    std::size_t available() const { return end_ - begin_; }

    BinaryFile& file_;
    std::size_t file_left_;
    const std::size_t capacity_;
    std::unique_ptr<unsigned char[]> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

// Writes the fields of a file of `size` bytes in order. A write that fails makes the rest
// go nowhere, and `finish()` says so.
class FieldWriter {
public:
    FieldWriter(BinaryFile& file, std::size_t size);

    void bytes(const void* buffer, std::size_t size);
    void int32(std::int32_t value);
    // Two bytes of length, then the bytes; the caller keeps `text` within 65535 bytes.
    void string(std::string_view text);
    // Writes what is still buffered; true when every byte was written.
    bool finish();

private:
    // Copies `size` bytes, swapping each one's halves when `swapped`.
    void put(const unsigned char* bytes, std::size_t size, bool swapped);
    void write_buffer();

    BinaryFile& file_;
    const std::size_t capacity_;
    std::unique_ptr<unsigned char[]> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

// Where the first zero byte of the `length` bytes at `bytes` is, or `length` when there is
// none. Sixteen bytes at a time where the processor can: the C runtime's memchr and strlen
// go byte by byte on Wine, and a record holds up to 33 MB of text.
std::size_t zero_byte_at(const unsigned char* bytes, std::size_t length);

// How many bytes of `text` a file stores: up to the first zero byte, as lstrlenA counts.
inline std::string_view stored_text(const std::string& text)
{
    return {text.data(), zero_byte_at(reinterpret_cast<const unsigned char*>(text.data()), text.size())};
}

// The bytes an encoded string takes in the file.
inline std::size_t encoded_size(std::string_view text)
{
    return 2 + text.size();
}
