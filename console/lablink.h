// The console on an MQTT broker: follows the console's events and state and
// hands them to the network side (LabClient), shows the link's state in
// lblLab and on standard error, and carries out a supervisor's commands the
// way an operator at the bench would.
#pragma once

#include "consoleevents.h"
#include "labcommand.h"
#include "labsettings.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class LabClient;
class QLabel;
class StatusLine;

class LabLink : public QObject {
    Q_OBJECT
public:
    // A board step that gets no answer within this is given up.
    static constexpr int kStepTimeoutMs = 2000;

    // What the link may do at the bench.
    struct Bench {
        std::function<void()> acknowledge; // as a click on the over-temperature lamp
        std::function<bool(QChar)> send; // one command to the board; false when not sent
        std::function<void()> storeSetPoint; // as "退出设定" stores it
        std::function<std::optional<int>()> alarmOn; // the alarm flag events carry
    };

    LabLink(const LabSettings& settings, ConsoleEvents& events, Bench bench, StatusLine& status,
        QLabel* label, QObject* parent = nullptr);
    ~LabLink() override;

    const LabSettings& settings() const { return m_settings; }
    LabClient& client() { return *m_client; }
    // An operator's button at the bench: a remote set-point under way ends.
    void benchPressed();
    bool remoteSetPointRunning() const { return m_steps.has_value(); }

private:
    void take();
    void stateChanged(const ConsoleState& state);
    void happened(const ConsoleEvent& event);
    void command(const QString& leaf, const QByteArray& payload, bool retained);
    void startSetPoint(int target, const QString& detail);
    void stepAnswered(const ConsoleEvent& event);
    void endSetPoint(const QString& event, const QString& detail);
    void note(const QString& event, const QString& detail, const QString& words);
    void showLink(const QString& text);

    LabSettings m_settings;
    ConsoleEvents& m_events;
    Bench m_bench;
    StatusLine& m_status;
    QLabel* m_label;
    std::unique_ptr<LabClient> m_client;
    ConsoleState m_published;
    bool m_anyPublished = false;
    CommandRate m_rate;
    QElapsedTimer m_clock;
    std::optional<SetPointSteps> m_steps;
    QString m_stepsDetail;
    QTimer m_stepTimer;
    QTimer m_rediscover;
    QString m_lastReport;
    QString m_temperature; // the last one published
    std::string m_temperatureTopic;
};
