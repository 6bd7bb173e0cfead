#pragma once

#include "keyactions.h"

#include <QString>

#include <array>
#include <vector>

// The twelve remote functions. Function n is taught in row n of the setup
// window, stored under IRCODE/KEYCODEn and runs its action when its code
// arrives.
struct KeyFunction {
    int n;
    const char* settingsKey;
    const char16_t* caption; // row caption in the setup window
    KeyActions::Action action;
};

inline constexpr int kKeyFunctionCount = 12;

inline constexpr std::array<KeyFunction, kKeyFunctionCount> kKeyFunctions { {
    { 1, "KEYCODE1", u"磁盘目录前选", &KeyActions::DrivePrevious },
    { 2, "KEYCODE2", u"磁盘目录后选", &KeyActions::DriveNext },
    { 3, "KEYCODE3", u"文件夹前选：", &KeyActions::FolderPrevious },
    { 4, "KEYCODE4", u"文件夹后选：", &KeyActions::FolderNext },
    { 5, "KEYCODE5", u"歌曲前选", &KeyActions::SongPrevious },
    { 6, "KEYCODE6", u"歌曲后选", &KeyActions::SongNext },
    { 7, "KEYCODE7", u"音量+", &KeyActions::VolumeUp },
    { 8, "KEYCODE8", u"音量-", &KeyActions::VolumeDown },
    { 9, "KEYCODE9", u"文件夹进入", &KeyActions::FolderEnter },
    { 10, "KEYCODE10", u"文件夹退出", &KeyActions::FolderExit },
    { 11, "KEYCODE11", u"播放/暂停", &KeyActions::PlayPause },
    { 12, "KEYCODE12", u"静音", &KeyActions::MuteToggle },
} };

// The order in which a received code is compared with the table. Every
// matching function runs, so two functions sharing a code both act, in this
// order.
inline constexpr std::array<int, kKeyFunctionCount> kDispatchOrder { 6, 5, 7, 2, 1, 4, 3, 9, 10, 8, 12, 11 };

inline constexpr const char* kKeySection = "IRCODE";

// KeyTable(1) .. KeyTable(12): the codes read at start. Codes are opaque
// text compared exactly; an untaught function holds "".
class KeyTable {
public:
    const QString& code(int n) const { return m_codes.at(std::size_t(n - 1)); }
    void setCode(int n, const QString& code) { m_codes.at(std::size_t(n - 1)) = code; }

    // The functions whose code equals the line, in dispatch order.
    std::vector<int> matches(const QString& line) const;

private:
    std::array<QString, kKeyFunctionCount> m_codes;
};
