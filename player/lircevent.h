// The infrared daemon's event lines, as its clients read them from its
// socket: "<code> <repeat count> <button> <remote>" and a line feed, for
// example "0000000020df40bf 00 KEY_VOLUMEUP myremote". Pure: bytes in,
// events out.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

struct LircEvent {
    QString code; // the decoded scan code, hexadecimal as sent
    int repeat = 0; // 0 for the press itself, then 1, 2, ... while held
    QString button; // the button's name in the remote's definition
    QString remote;
};

// One line without its line feed. Anything else the daemon may send on the
// socket (the replies to commands between BEGIN and END, which carry no hex
// code and count) is not an event.
std::optional<LircEvent> ParseLircEvent(QByteArrayView line);

// Gathers the bytes read from the socket into lines and returns the events
// among them.
class LircEventReader {
public:
    // No event line comes near this; a longer one is dropped whole.
    static constexpr qsizetype kMaxLine = 1024;

    std::vector<LircEvent> add(QByteArrayView bytes);
    // A new connection starts with no line pending.
    void clear();
    qsizetype pendingSize() const { return m_pending.size(); }

private:
    QByteArray m_pending;
    bool m_overlong = false;
};
