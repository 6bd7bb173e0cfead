#pragma once

#include <QString>

#include <array>
#include <vector>

// The twelve remote functions. Function n is taught in row n of the setup
// window, stored under IRCODE/KEYCODEn and runs action n of the key dispatch.
struct KeyFunction {
    int n;
    const char *settingsKey;
    const char16_t *caption; // row caption in the setup window
    const char *name;
};

inline constexpr int kKeyFunctionCount = 12;

inline constexpr std::array<KeyFunction, kKeyFunctionCount> kKeyFunctions{{
    {1, "KEYCODE1", u"磁盘目录前选", "DrivePrevious"},
    {2, "KEYCODE2", u"磁盘目录后选", "DriveNext"},
    {3, "KEYCODE3", u"文件夹前选：", "FolderPrevious"},
    {4, "KEYCODE4", u"文件夹后选：", "FolderNext"},
    {5, "KEYCODE5", u"歌曲前选", "SongPrevious"},
    {6, "KEYCODE6", u"歌曲后选", "SongNext"},
    {7, "KEYCODE7", u"音量+", "VolumeUp"},
    {8, "KEYCODE8", u"音量-", "VolumeDown"},
    {9, "KEYCODE9", u"文件夹进入", "FolderEnter"},
    {10, "KEYCODE10", u"文件夹退出", "FolderExit"},
    {11, "KEYCODE11", u"播放/暂停", "PlayPause"},
    {12, "KEYCODE12", u"静音", "MuteToggle"},
}};

// The order in which a received code is compared with the table. Every
// matching function runs, so two functions sharing a code both act, in this
// order.
inline constexpr std::array<int, kKeyFunctionCount> kDispatchOrder{6, 5, 7, 2, 1, 4, 3, 9, 10, 8, 12, 11};

inline constexpr const char *kKeySection = "IRCODE";

// KeyTable(1) .. KeyTable(12): the codes read at start. Codes are opaque
// text compared exactly; an untaught function holds "".
class KeyTable {
public:
    const QString &code(int n) const { return m_codes.at(std::size_t(n - 1)); }
    void setCode(int n, const QString &code) { m_codes.at(std::size_t(n - 1)) = code; }

    // The functions whose code equals the line, in dispatch order.
    std::vector<int> matches(const QString &line) const;

private:
    std::array<QString, kKeyFunctionCount> m_codes;
};

// Gathers the received characters into key lines ended by CR LF. A CR that
// is not followed by LF stays part of the line.
class KeyLineBuffer {
public:
    // A line that never ends keeps only its newest characters, so noise on
    // the wire cannot grow the buffer without bound.
    static constexpr qsizetype kMaxPending = 4096;

    // Adds the chunk; returns true and fills line when it completed a line.
    bool append(const QString &chunk, QString &line);
    const QString &pending() const { return m_buffer; }
    void clear() { m_buffer.clear(); }

private:
    QString m_buffer;
};
