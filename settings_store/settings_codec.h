// Field encodings of the settings file: little-endian integers and length-prefixed strings
// whose bytes have their high and low nibbles swapped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class BinaryFile;

// Swaps the two halves of every byte; applying it twice gives the bytes back.
void swap_nibbles(unsigned char* buffer, std::size_t length);

// Two bytes of length, then the swapped bytes. The caller keeps the string within 65535
// bytes; a zero byte ends it, as it would for lstrlenA.
bool write_string(BinaryFile& file, const std::string& text);
// Reads one encoded string; the text ends at the first zero byte, but every stored byte is
// consumed. On failure `text` keeps its value.
bool read_string(BinaryFile& file, std::string& text);

bool write_int32(BinaryFile& file, std::int32_t value);
bool read_int32(BinaryFile& file, std::int32_t& value);
