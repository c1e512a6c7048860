// The settings tool's texts outside its resource script. The source is UTF-8; on Windows the
// compiler turns these into code page 932 bytes for the ANSI API.
#pragma once

// Column 0 of a separator row (22 bytes in code page 932).
inline constexpr char TEXT_SEPARATOR_ROW[] = "****** 区切り線 ******";

inline constexpr char TEXT_COLUMN_LABEL[] = "表示文字";
inline constexpr char TEXT_COLUMN_PROGRAM[] = "起動ソフト";

inline constexpr char TITLE_BOSS_PASSWORD[] = "親方パスワードの変更";
inline constexpr char TITLE_FOLLOWER_PASSWORD[] = "子分パスワードの変更";

// A line of the risky-programs warning: "・" label "（" program "）".
inline constexpr char TEXT_RISKY_BULLET[] = "・";
inline constexpr char TEXT_RISKY_OPEN[] = "（";
inline constexpr char TEXT_RISKY_CLOSE[] = "）";
// After the lines the warning has room for: "ほか" count "件".
inline constexpr char TEXT_RISKY_MORE[] = "ほか";
inline constexpr char TEXT_RISKY_COUNT[] = "件";

// Open File filters, written with "|" between the parts and "||" at the end.
inline constexpr char FILTER_PROGRAMS[] = "実行ファイル(*.exe)|*.exe||";
inline constexpr char FILTER_ALL_FILES[] = "すべてのファイル(*.*)|*.*||";
