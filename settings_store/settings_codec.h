// Field encodings of the settings file: little-endian integers and length-prefixed strings
// whose bytes have their high and low nibbles swapped. The file is read and written as one
// image in memory; these walk through it field by field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Swaps the two halves of every byte; applying it twice gives the bytes back.
void swap_nibbles(unsigned char* buffer, std::size_t length);

// Takes the fields of a file image whose every byte has been swapped in one pass beforehand
// (cheaper than byte by byte per field): strings are copied as they stand, the other fields
// are swapped back. A field that the image ends inside fails, and its target keeps its value.
class FieldReader {
public:
    FieldReader(const unsigned char* swapped_bytes, std::size_t size) : next_(swapped_bytes), left_(size) {}

    bool bytes(void* buffer, std::size_t size);
    bool int32(std::int32_t& value);
    // One encoded string; the text ends at the first zero byte, but every stored byte is
    // consumed.
    bool string(std::string& text);

private:
    // The `index`th byte ahead as the file holds it; the caller has checked that it is there.
    unsigned byte_ahead(std::size_t index) const { return (next_[index] & 0x0Fu) << 4 | next_[index] >> 4; }

    const unsigned char* next_;
    std::size_t left_;
};

// Puts fields into an image that the caller made large enough and swaps in one pass
// afterwards: strings go in as they stand, the other fields swapped ahead, so that the pass
// leaves them as the file holds them.
class FieldWriter {
public:
    explicit FieldWriter(unsigned char* image) : next_(image) {}

    void bytes(const void* buffer, std::size_t size);
    void int32(std::int32_t value);
    // Two bytes of length, then the bytes; the caller keeps `text` within 65535 bytes.
    void string(std::string_view text);

private:
    unsigned char* next_;
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
