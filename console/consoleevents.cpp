#include "consoleevents.h"

#include "connectionpanel.h"

#include <QMetaMethod>

#include <array>

namespace {

struct LinkEvent {
    LinkChange change;
    const char* name;
};

constexpr std::array kLinkEvents {
    LinkEvent { LinkChange::Connected, "connected" },
    LinkEvent { LinkChange::Reconnected, "reconnected" },
    LinkEvent { LinkChange::Disconnected, "disconnected" },
    LinkEvent { LinkChange::Lost, "lost" },
};

} // namespace

QString linkEventName(LinkChange change)
{
    for (const LinkEvent& e : kLinkEvents) {
        if (e.change == change)
            return QString::fromLatin1(e.name);
    }
    return {};
}

void ConsoleEvents::update(const ConsoleState& state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(m_state);
}

void ConsoleEvents::record(
    const QString& name, const QString& setPoint, std::optional<int> alarmOn, const QString& detail)
{
    // Nobody listening (no log, no other outlet): the clock is not even read.
    static const QMetaMethod signal = QMetaMethod::fromSignal(&ConsoleEvents::happened);
    if (!isSignalConnected(signal))
        return;
    // UTC is read without the time-zone rules; outlets show local time.
    emit happened({ QDateTime::currentDateTimeUtc(), name, m_state.reading, setPoint, alarmOn,
        m_state.setPointMode ? QStringLiteral("setpoint") : QStringLiteral("measuring"), detail });
}
