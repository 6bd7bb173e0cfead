#include "labcommand.h"

#include <array>

namespace {

std::optional<int> wholeNumber(const QByteArray& text)
{
    const QByteArray t = text.trimmed();
    if (t.isEmpty() || t.size() > 6)
        return std::nullopt;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (!(t[i] >= '0' && t[i] <= '9') && !(i == 0 && t[i] == '-' && t.size() > 1))
            return std::nullopt;
    }
    return t.toInt();
}

struct Rule {
    bool (*applies)(const LabCommand&, const BenchSituation&);
    const char* reason;
};

// Checked in order; the first that applies names the refusal.
constexpr std::array kRules {
    Rule { [](const LabCommand& c, const BenchSituation& b) {
              return c.kind == LabCommand::Kind::SetPoint && !b.linkUp;
          },
        "serial link down" },
    Rule { [](const LabCommand& c, const BenchSituation& b) {
              return c.kind == LabCommand::Kind::SetPoint && b.remoteRunning;
          },
        "another remote set-point under way" },
    Rule { [](const LabCommand& c, const BenchSituation& b) {
              return c.kind == LabCommand::Kind::SetPoint && b.operatorSetting;
          },
        "operator at the bench in set-point mode" },
};

} // namespace

LabCommandReading readLabCommand(
    const QString& leaf, const QByteArray& payload, bool retained, int setMin, int setMax)
{
    LabCommandReading r;
    if (leaf == u"acknowledge") {
        r.detail = QStringLiteral("acknowledge");
        r.command = LabCommand { LabCommand::Kind::Acknowledge, 0 };
    } else if (leaf == u"setpoint") {
        const QString shown = QString::fromUtf8(payload.left(20)).simplified();
        r.detail = (QStringLiteral("setpoint ") + shown).trimmed();
        const std::optional<int> n = wholeNumber(payload);
        if (!n) {
            r.refusal = QStringLiteral("not a whole number");
            return r;
        }
        if (*n < setMin || *n > setMax) {
            r.refusal = QStringLiteral("outside %1..%2").arg(setMin).arg(setMax);
            return r;
        }
        r.command = LabCommand { LabCommand::Kind::SetPoint, *n };
    } else {
        r.detail = leaf.left(40);
        r.refusal = QStringLiteral("unknown command");
        return r;
    }
    if (retained) {
        r.command.reset();
        r.refusal = QStringLiteral("retained message");
    }
    return r;
}

QString labRefusal(const LabCommand& command, const BenchSituation& bench)
{
    for (const Rule& rule : kRules) {
        if (rule.applies(command, bench))
            return QString::fromLatin1(rule.reason);
    }
    return {};
}

bool CommandRate::take(qint64 nowMs)
{
    while (!m_taken.empty() && nowMs - m_taken.front() >= 1000)
        m_taken.pop_front();
    if (int(m_taken.size()) >= kPerSecond)
        return false;
    m_taken.push_back(nowMs);
    return true;
}

SetPointSteps::SetPointSteps(int target)
    : m_target(target)
{
}

std::optional<QChar> SetPointSteps::answer(int shown)
{
    if (m_awaited && shown != *m_awaited)
        return std::nullopt;
    if (shown == m_target)
        return u'6';
    m_awaited = shown < m_target ? shown + 1 : shown - 1;
    return shown < m_target ? u'5' : u'4';
}
