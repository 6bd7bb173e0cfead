#pragma once

#include "keyactions.h"

#include <QString>

#include <array>
#include <vector>

// The twelve remote functions. Function n is taught in row n of the setup
// window, stored under IRCODE/KEYCODEn and runs its action when its code
// arrives. A received code is compared with the functions in the order of
// their `dispatch` place (1 first); every matching function runs, so two
// functions sharing a code both act, in that order. A function that
// `repeats` acts again while its key is held (the folder highlight and the
// volume); choosing, opening and toggling never do.
struct KeyFunction {
    int n;
    const char* settingsKey;
    const char16_t* caption; // row caption in the setup window
    KeyActions::Action action;
    int dispatch;
    bool repeats;
};

inline constexpr int kKeyFunctionCount = 12;

inline constexpr std::array<KeyFunction, kKeyFunctionCount> kKeyFunctions { {
    { 1, "KEYCODE1", u"磁盘目录前选", &KeyActions::DrivePrevious, 5, false },
    { 2, "KEYCODE2", u"磁盘目录后选", &KeyActions::DriveNext, 4, false },
    { 3, "KEYCODE3", u"文件夹前选：", &KeyActions::FolderPrevious, 7, true },
    { 4, "KEYCODE4", u"文件夹后选：", &KeyActions::FolderNext, 6, true },
    { 5, "KEYCODE5", u"歌曲前选", &KeyActions::SongPrevious, 2, false },
    { 6, "KEYCODE6", u"歌曲后选", &KeyActions::SongNext, 1, false },
    { 7, "KEYCODE7", u"音量+", &KeyActions::VolumeUp, 3, true },
    { 8, "KEYCODE8", u"音量-", &KeyActions::VolumeDown, 10, true },
    { 9, "KEYCODE9", u"文件夹进入", &KeyActions::FolderEnter, 8, false },
    { 10, "KEYCODE10", u"文件夹退出", &KeyActions::FolderExit, 9, false },
    { 11, "KEYCODE11", u"播放/暂停", &KeyActions::PlayPause, 12, false },
    { 12, "KEYCODE12", u"静音", &KeyActions::MuteToggle, 11, false },
} };

static_assert(
    [] {
        std::array<bool, kKeyFunctionCount> taken {};
        for (const KeyFunction& f : kKeyFunctions) {
            if (f.dispatch < 1 || f.dispatch > kKeyFunctionCount || taken[std::size_t(f.dispatch - 1)])
                return false;
            taken[std::size_t(f.dispatch - 1)] = true;
        }
        return true;
    }(),
    "every dispatch place is taken once");

// The functions in dispatch order, from the table's column.
inline constexpr std::array<int, kKeyFunctionCount> kDispatchOrder = [] {
    std::array<int, kKeyFunctionCount> order {};
    for (const KeyFunction& f : kKeyFunctions)
        order[std::size_t(f.dispatch - 1)] = f.n;
    return order;
}();

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
