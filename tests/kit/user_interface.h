// The tests' own account of what the user and the shell see of the programs: window classes
// and titles, control and command ids, messages and texts, byte for byte. Written apart from
// the product's headers on purpose, so that a changed id or text fails a test instead of
// changing the test with it.
#pragma once

#include <windows.h>

// The lock program Kivel2.exe: its bar, its tray icon, its password dialog.
inline constexpr char BAR_CLASS[] = "Kivel2";
inline constexpr char BAR_TITLE[] = "Kivel2";
inline constexpr UINT WM_TRAYNOTIFY = WM_USER + 147;
inline constexpr int MAIN_SOFTWARE_BUTTON = 100, OTHER_SOFTWARE_BUTTON = 101, FIRST_MENU_COMMAND = 300;
inline constexpr int PASSWORD_DIALOG = 104;
inline constexpr char PASSWORD_TITLE[] = "パスワード認証";
inline constexpr int PASSWORD_EDIT = 1007;
inline constexpr int STAY_RESIDENT = 1020;
// What marks a shell window that another copy of the lock program has hidden.
inline constexpr char TAKEN_MARK[] = "Kivel2.taken";
// The caption of its message boxes, and of the one that says it cannot start.
inline constexpr char MESSAGE_CAPTION[] = "Kivel2";
inline constexpr char TEXT_START_FAILED_CAPTION[] = "Kivel2起動失敗";
inline constexpr char TEXT_LOAD_FAILED[] = "Kivel2設定データの読み込みに失敗";
inline constexpr char TEXT_BAD_PASSWORD[] = "不正なパスワードです。\r\nロックを解除できません。";
inline constexpr char TEXT_OTHER_SOFTWARE[] = "その他のソフト";
inline constexpr char TEXT_SOFTWARE[] = "ソフト起動";

// The settings tool setting.exe: its login, main and password dialogs.
inline constexpr char SETTING_TITLE[] = "Kivel2 設定";
inline constexpr char TITLE_FOLLOWER_PASSWORD[] = "子分パスワードの変更";
// Controls of the main dialog
inline constexpr int MAIN_PROGRAM = 1002, BROWSE_MAIN = 1003, BOSS_PASSWORD = 1004, FOLLOWER_PASSWORD = 1005,
                     BROWSE_PROGRAM = 1007, LABEL = 1008, PROGRAM = 1009, ADD = 1010, OVERWRITE = 1011,
                     DELETE_ROW = 1012, UP = 1013, SEPARATOR = 1014, DOWN = 1015, ACCEPT = 1016, MAIN_LABEL = 1017,
                     MAIN_SOFTWARE = 1019, LOCK_AT_STARTUP = 1020, LIST = 1006;
// Controls of the login dialog and of the password dialog
inline constexpr int LOGIN_PASSWORD = 1012;
inline constexpr int NEW_PASSWORD = 1013, CURRENT_PASSWORD = 1015;

inline constexpr char TEXT_OPEN_FAILED[] =
    "Kivel2用設定データファイル「kiv2.bin」の\nオープンに失敗しました。ソフトウエアを終了します。";
inline constexpr char TEXT_BOSS[] = "親方権限でアクセス可能です。\n（設定データを変更できます）";
inline constexpr char TEXT_FOLLOWER[] = "子分権限でアクセス可能です。\n（設定データの閲覧のみ可能です）";
inline constexpr char TEXT_WRONG_PASSWORD[] = "不正なパスワードです。\nソフトウエアを終了します。";
inline constexpr char TEXT_SAVE_FAILED[] = "Kivel2用設定データの保存に失敗しました。";
inline constexpr char TEXT_NO_NEW_PASSWORD[] = "新パスワードが設定されていません。";
inline constexpr char TEXT_MISSING[] =
    "データの入力漏れがあります。\n表示文字、起動するソフトの両方を設定してください。";
inline constexpr char TEXT_SELECT[] = "項目を選択してください。";
inline constexpr char TEXT_MAIN_INCOMPLETE[] =
    "メインソフトウエアの設定が不十分です。\nこの機能を使用しない場合は、チェックを外してください。";
inline constexpr char TEXT_LIST_FULL[] = "登録ソフトウエアは255項目までです。\nこれ以上追加できません。";
inline constexpr char TEXT_SEPARATOR_ROW[] = "****** 区切り線 ******";
static_assert(sizeof TEXT_SEPARATOR_ROW - 1 == 22, "texts must be compiled to code page 932");
