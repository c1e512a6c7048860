// The dialog layer's own user-visible text. The source is UTF-8; the compiler turns it into
// code page 932 bytes for the ANSI API.
#pragma once

// Shown when an edit holds more bytes than its limit; %1 is the limit.
inline constexpr char TEXT_LENGTH_LIMIT[] = "%1 文字以内で入力してください。";
