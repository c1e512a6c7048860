// Every text the lock program shows or registers, outside its resource script. The source is
// UTF-8; the compiler turns these into code page 932 bytes for the ANSI API.
#pragma once

// Window class, window title, tray tip and message box caption alike.
inline constexpr char PROGRAM_NAME[] = "Kivel2";
// Its existence keeps a second copy out.
inline constexpr char INSTANCE_MUTEX_NAME[] = "Kivel_TORAMI";

inline constexpr char TEXT_LOAD_FAILED[] = "Kivel2設定データの読み込みに失敗";
inline constexpr char CAPTION_START_FAILED[] = "Kivel2起動失敗";

// Caption of the button that opens the software menu, beside a main-software button or alone.
inline constexpr char TEXT_OTHER_SOFTWARE[] = "その他のソフト";
inline constexpr char TEXT_SOFTWARE[] = "ソフト起動";

// A program that could not be started: the path between these two.
inline constexpr char TEXT_LAUNCH_FAILED_BEFORE[] = "「";
inline constexpr char TEXT_LAUNCH_FAILED_AFTER[] = "」が実行できません";

inline constexpr char TEXT_BAD_PASSWORD[] = "不正なパスワードです。\r\nロックを解除できません。";

// Registered by the shell and broadcast when it has made a new taskbar, after a restart.
inline constexpr char TASKBAR_CREATED_MESSAGE[] = "TaskbarCreated";
// The property that a shell window carries for as long as the lock has it hidden or disabled.
inline constexpr char TAKEN_MARK[] = "Kivel2.taken";
