// What kiv2cfg takes from the platform: conversion between UTF-8 and code page 932 (iconv on
// POSIX, the code-page API on Windows), console output, and whether a program is there.
// One implementation per platform, chosen at link time.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// The text converted; none when the platform finds something it cannot convert. Neither
// direction is guaranteed to come back to the same bytes: check that where it matters.
std::optional<std::string> utf8_from_cp932(std::string_view cp932);
std::optional<std::string> cp932_from_utf8(std::string_view utf8);

// UTF-8 text to standard output or error, readable on a console of any code page.
void write_text(std::FILE* stream, std::string_view utf8);

// Whether the program at `path` (code page 932) would be found where this runs; none when
// this platform cannot tell (its paths are not Windows paths).
std::optional<bool> program_found(const std::string& path);
