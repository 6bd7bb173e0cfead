// Remote commands from the broker, as pure rules: what a message asks, whether
// the bench may take it now, how many a second, and the key presses that
// bring the board's set-point to a target.
#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>

#include <deque>
#include <optional>

struct LabCommand {
    enum class Kind { Acknowledge, SetPoint };
    Kind kind = Kind::Acknowledge;
    int target = 0; // the set-point asked for
};

// A message on the bench's command topics, read. `refusal` says why it is
// not taken ("" when `command` is set); `detail` names what was asked.
struct LabCommandReading {
    std::optional<LabCommand> command;
    QString detail;
    QString refusal;
};

// `leaf` is the topic's last level ("acknowledge" or "setpoint").
LabCommandReading readLabCommand(
    const QString& leaf, const QByteArray& payload, bool retained, int setMin, int setMax);

// What the bench is doing when a command comes.
struct BenchSituation {
    bool linkUp = false;
    bool operatorSetting = false; // the board in set-point mode by the operator
    bool remoteRunning = false; // a remote set-point still under way
};

// Why `command` cannot run now, or "".
QString labRefusal(const LabCommand& command, const BenchSituation& bench);

// At most kPerSecond commands in any second; the rest are refused.
class CommandRate {
public:
    static constexpr int kPerSecond = 5;
    // Counts a command at `nowMs`; false when it is one too many.
    bool take(qint64 nowMs);

private:
    std::deque<qint64> m_taken;
};

// The operator's key presses for a set-point: "3", then "5" or "4" for each
// value the board shows until it shows the target, then "6". One press at a
// time: after "5" or "4" only the value it leads to counts as the answer, as
// the board's periodic lines may still show the value before it. A board that
// never answers is the caller's to time out.
class SetPointSteps {
public:
    explicit SetPointSteps(int target);
    int target() const { return m_target; }
    // The first press.
    QChar start() const { return u'3'; }
    // The press after the board showed `shown` in set-point mode ("6" ends
    // the steps), or nothing when that line is not the answer to the last press.
    std::optional<QChar> answer(int shown);

private:
    int m_target;
    std::optional<int> m_awaited; // the value the last press leads to
};
