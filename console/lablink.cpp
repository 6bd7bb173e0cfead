#include "lablink.h"

#include "labclient.h"
#include "labmessages.h"
#include "sayonce.h"
#include "statusline.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRandomGenerator>

#include <array>
#include <tuple>

namespace {

// The network side's reasons in the operator's words.
struct Words {
    const char* reason;
    const char* words;
};

constexpr std::array kReasons {
    Words { labreason::kWrongPassword, "用户名或密码错误" },
    Words { labreason::kNotAuthorised, "用户名或密码错误，或未获授权" },
    Words { labreason::kUntrusted, "证书不受信任" }, Words { labreason::kHandshake, "加密连接失败" },
    Words { labreason::kUnreadableFiles, "证书或密钥文件无法读取" },
    Words { labreason::kHostNotFound, "找不到主机" }, Words { labreason::kNoAnswer, "服务器无应答" },
    Words { labreason::kConnectionLost, "连接中断" },
    Words { "Connection refused", "连接被拒绝" }, // the system's words for ECONNREFUSED
};

QString inWords(const std::string& reason)
{
    for (const Words& w : kReasons) {
        if (reason == w.reason)
            return QString::fromUtf8(w.words);
    }
    return QString::fromStdString(reason);
}

// A dashboard that restarted is answered after a pause of up to this, so that
// many benches do not answer at once.
constexpr int kRediscoverSpreadMs = 5000;

// What the network side needs to know of the settings.
LabClientConfig clientConfig(const LabSettings& settings)
{
    LabClientConfig c;
    c.host = settings.host.toStdString();
    c.port = settings.port;
    c.tls = settings.tls;
    c.user = settings.user.toStdString();
    c.password = settings.password.toStdString();
    c.caFile = settings.caFile.toStdString();
    c.certFile = settings.certFile.toStdString();
    c.keyFile = settings.keyFile.toStdString();
    c.keepAlive = settings.keepAlive;
    c.clientId = ("tuvela_" + settings.bench).toStdString();
    c.statusTopic = lab::statusTopic(settings).toStdString();
    c.eventsTopic = lab::eventsTopic(settings).toStdString();
    if (!settings.discovery.isEmpty())
        c.subscriptions.push_back(lab::discoveryStatusTopic(settings).toStdString());
    if (settings.commands)
        c.subscriptions.push_back(lab::commandTopic(settings, QStringLiteral("+")).toStdString());
    c.droppedEvent = [](std::int64_t count) {
        return lab::eventJson(lab::droppedEvent(QDateTime::currentDateTimeUtc(), count)).toStdString();
    };
    return c;
}

} // namespace

LabLink::LabLink(const LabSettings& settings, ConsoleEvents& events, Bench bench, StatusLine& status,
    QLabel* label, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_events(events)
    , m_bench(std::move(bench))
    , m_status(status)
    , m_label(label)
{
    m_clock.start();
    m_stepTimer.setSingleShot(true);
    m_stepTimer.setInterval(kStepTimeoutMs);
    connect(&m_stepTimer, &QTimer::timeout, this, [this] {
        m_bench.send(u'6');
        endSetPoint(
            QStringLiteral("remote-failed"), m_stepsDetail + QStringLiteral(": no answer from the board"));
    });
    m_temperatureTopic = lab::temperatureMessage(settings, {}).topic.toStdString();
    m_rediscover.setSingleShot(true);
    connect(&m_rediscover, &QTimer::timeout, this, [this] { m_client->resendRetained(); });

    m_client = std::make_unique<LabClient>(clientConfig(settings),
        [this] { QMetaObject::invokeMethod(this, &LabLink::take, Qt::QueuedConnection); });
    const QString version = QCoreApplication::applicationVersion();
    for (const LabMessage& m : lab::discoveryMessages(settings, version))
        m_client->retain(m.topic.toStdString(), m.payload.toStdString());
    stateChanged(events.state());
    connect(&events, &ConsoleEvents::stateChanged, this, &LabLink::stateChanged);
    connect(&events, &ConsoleEvents::happened, this, &LabLink::happened);
    showLink(QStringLiteral("实验室链路：正在连接 %1:%2").arg(settings.host).arg(settings.port));
}

LabLink::~LabLink() = default;

void LabLink::stateChanged(const ConsoleState& state)
{
    // Most changes are a new reading, which goes out with its event.
    const auto told
        = [](const ConsoleState& s) { return std::tuple(s.setPoint, s.linkUp, s.alarm, s.quiet); };
    if (m_anyPublished && told(state) == told(m_published))
        return;
    const std::vector<LabMessage> now = lab::stateMessages(m_settings, state);
    const std::vector<LabMessage> before
        = m_anyPublished ? lab::stateMessages(m_settings, m_published) : std::vector<LabMessage> {};
    for (size_t i = 0; i < now.size(); ++i) {
        if (before.empty() || before[i] != now[i])
            m_client->retain(now[i].topic.toStdString(), now[i].payload.toStdString());
    }
    m_published = state;
    m_anyPublished = true;
}

void LabLink::happened(const ConsoleEvent& event)
{
    m_client->event([event] { return lab::eventJson(event).toStdString(); });
    if (event.event == u"reading" && event.mode == u"measuring" && event.reading != m_temperature) {
        m_temperature = event.reading;
        m_client->retain(m_temperatureTopic, event.reading.toStdString());
    }
    if (m_steps && event.event == u"reading" && event.mode == u"setpoint")
        stepAnswered(event);
}

void LabLink::take()
{
    for (const LabClient::Report& r : m_client->takeReports()) {
        switch (r.link) {
        case LabClient::Link::Up:
            showLink(QStringLiteral("实验室链路已连接：%1:%2").arg(m_settings.host).arg(m_settings.port));
            break;
        case LabClient::Link::Lost:
            showLink(QStringLiteral("实验室链路中断（%1），正在重连").arg(inWords(r.reason)));
            break;
        case LabClient::Link::Refused:
            showLink(QStringLiteral("实验室链路被拒绝：%1").arg(inWords(r.reason)));
            break;
        }
    }
    const QString commands = lab::commandTopic(m_settings, {});
    for (const LabClient::Incoming& in : m_client->takeIncoming()) {
        const QString topic = QString::fromStdString(in.topic);
        if (!m_settings.discovery.isEmpty() && topic == lab::discoveryStatusTopic(m_settings)) {
            if (in.payload == labstatus::kOnline && !in.retained)
                m_rediscover.start(QRandomGenerator::global()->bounded(kRediscoverSpreadMs + 1));
        } else if (m_settings.commands && topic.startsWith(commands)) {
            command(topic.mid(commands.size()), QByteArray::fromStdString(in.payload), in.retained);
        }
    }
}

void LabLink::command(const QString& leaf, const QByteArray& payload, bool retained)
{
    const LabCommandReading r = readLabCommand(leaf, payload, retained, m_settings.setMin, m_settings.setMax);
    QString why = r.refusal;
    if (!m_rate.take(m_clock.elapsed()))
        why = QStringLiteral("more than %1 commands a second").arg(CommandRate::kPerSecond);
    const ConsoleState& state = m_events.state();
    if (why.isEmpty())
        why = labRefusal(*r.command, { state.linkUp, state.setPointMode && !m_steps, m_steps.has_value() });
    if (!why.isEmpty()) {
        note(QStringLiteral("remote-refused"), r.detail + QStringLiteral(": ") + why,
            QStringLiteral("远程命令被拒绝：%1（%2）").arg(r.detail, why));
        return;
    }
    if (r.command->kind == LabCommand::Kind::SetPoint) {
        startSetPoint(r.command->target, r.detail);
        return;
    }
    if (state.alarm != AlarmLevel::Active) {
        note(QStringLiteral("remote-acknowledge"), QStringLiteral("acknowledge: no alarm sounding"),
            QStringLiteral("远程确认报警：没有报警"));
        return;
    }
    m_bench.acknowledge();
    note(QStringLiteral("remote-acknowledge"), QStringLiteral("acknowledge"), QStringLiteral("远程确认报警"));
}

void LabLink::startSetPoint(int target, const QString& detail)
{
    m_steps.emplace(target);
    m_stepsDetail = detail;
    m_status.show(QStringLiteral("远程设定温度：%1").arg(target));
    if (!m_bench.send(m_steps->start())) {
        endSetPoint(QStringLiteral("remote-failed"), detail + QStringLiteral(": not sent to the board"));
        return;
    }
    m_stepTimer.start();
}

void LabLink::stepAnswered(const ConsoleEvent& event)
{
    bool ok = false;
    const int shown = event.reading.toInt(&ok);
    const std::optional<QChar> next = ok ? m_steps->answer(shown) : std::nullopt;
    if (!next)
        return; // not the answer to the last press: the step's time runs on
    if (!m_bench.send(*next)) {
        endSetPoint(
            QStringLiteral("remote-failed"), m_stepsDetail + QStringLiteral(": not sent to the board"));
        return;
    }
    if (*next != u'6') {
        m_stepTimer.start();
        return;
    }
    m_bench.storeSetPoint();
    endSetPoint(QStringLiteral("remote-setpoint"), m_stepsDetail);
}

void LabLink::endSetPoint(const QString& event, const QString& detail)
{
    if (!m_steps)
        return;
    const int target = m_steps->target();
    m_steps.reset();
    m_stepTimer.stop();
    const bool done = event == u"remote-setpoint";
    m_events.record(event, QString::number(target), m_bench.alarmOn(), detail);
    m_status.show(done ? QStringLiteral("远程设定温度完成：%1").arg(target)
                       : QStringLiteral("远程设定温度失败：%1").arg(detail));
}

void LabLink::benchPressed()
{
    endSetPoint(QStringLiteral("remote-failed"), m_stepsDetail + QStringLiteral(": the bench took over"));
}

void LabLink::note(const QString& event, const QString& detail, const QString& words)
{
    m_events.record(event, m_events.state().setPoint, m_bench.alarmOn(), detail);
    m_status.show(words);
}

void LabLink::showLink(const QString& text)
{
    if (text == m_lastReport)
        return;
    m_lastReport = text;
    say(text);
    if (m_label)
        m_label->setText(text);
}
