#include "soundserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cmath>

namespace {

constexpr int kRate = 8000;
constexpr int kWindowSamples = kRate * SoundServer::kWindowMs / 1000;
constexpr double kLoudRms = 300.0;

void stop(std::unique_ptr<QProcess>& p)
{
    if (!p)
        return;
    if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(3000);
    }
    p.reset();
}

QProcessEnvironment serverEnvironment(const QString& dir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + dir + QStringLiteral("/native"));
    env.insert(QStringLiteral("HOME"), dir);
    return env;
}

} // namespace

SoundServer::SoundServer()
    : m_dir(QDir::temp().filePath(QStringLiteral("tuvela-sound-%1").arg(QCoreApplication::applicationPid())))
{
    QDir().mkpath(m_dir);
    QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

SoundServer::~SoundServer()
{
    stop(m_recorder);
    stop(m_server);
    QDir(m_dir).removeRecursively();
}

QString SoundServer::address() const
{
    return QStringLiteral("unix:") + m_dir + QStringLiteral("/native");
}

bool SoundServer::start(QString* why)
{
    stop(m_recorder);
    stop(m_server);
    QFile::remove(m_dir + QStringLiteral("/native"));
    m_server = std::make_unique<QProcess>();
    m_server->setProcessEnvironment(serverEnvironment(m_dir));
    m_server->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server->start(QStringLiteral("pulseaudio"),
        { QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
            QStringLiteral("--use-pid-file=no"), QStringLiteral("--system=false"),
            QStringLiteral("--log-target=stderr"), QStringLiteral("--log-level=error"), QStringLiteral("-L"),
            QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + m_dir
                + QStringLiteral("/native"),
            QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=alarm") });
    if (!m_server->waitForStarted(5000)) {
        *why = QStringLiteral("pulseaudio did not start (package pulseaudio)");
        return false;
    }
    const auto answers = [&] {
        QProcess info;
        info.setProcessEnvironment(serverEnvironment(m_dir));
        info.start(QStringLiteral("pactl"), { QStringLiteral("info") });
        return info.waitForFinished(3000) && info.exitCode() == 0;
    };
    if (!QTest::qWaitFor(answers, 10000)) {
        *why = QStringLiteral("pulseaudio does not answer (package pulseaudio-utils for pactl)");
        return false;
    }
    m_recorder = std::make_unique<QProcess>();
    m_recorder->setProcessEnvironment(serverEnvironment(m_dir));
    QObject::connect(m_recorder.get(), &QProcess::readyReadStandardOutput, [this] { read(); });
    m_recorder->start(QStringLiteral("parec"),
        { QStringLiteral("--device=alarm.monitor"), QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
            QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--channels=1"),
            QStringLiteral("--latency-msec=50") });
    if (!m_recorder->waitForStarted(5000)) {
        *why = QStringLiteral("parec did not start (package pulseaudio-utils)");
        return false;
    }
    m_pending.clear();
    m_heard.clear();
    return true;
}

void SoundServer::kill()
{
    stop(m_recorder);
    stop(m_server);
}

void SoundServer::read()
{
    m_pending += m_recorder->readAllStandardOutput();
    constexpr qsizetype bytes = kWindowSamples * 2;
    qsizetype at = 0;
    for (; at + bytes <= m_pending.size(); at += bytes) {
        const auto* s = reinterpret_cast<const qint16*>(m_pending.constData() + at);
        double sum = 0;
        for (int i = 0; i < kWindowSamples; ++i)
            sum += double(s[i]) * s[i];
        m_heard.append(std::sqrt(sum / kWindowSamples) > kLoudRms);
    }
    m_pending.remove(0, at);
}

QVector<bool> SoundServer::heard()
{
    QCoreApplication::processEvents();
    return m_heard;
}

int SoundServer::waitHeard(int timeoutMs)
{
    const qsizetype from = heard().size();
    int found = -1;
    (void)QTest::qWaitFor(
        [&] {
            const QVector<bool> h = heard();
            for (qsizetype i = from; i < h.size(); ++i) {
                if (h[i]) {
                    found = int(i - from) * kWindowMs;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool SoundServer::waitSilent(int ms, int timeoutMs)
{
    const qsizetype windows = ms / kWindowMs;
    return QTest::qWaitFor(
        [&] {
            const QVector<bool> h = heard();
            return h.size() >= windows && !h.mid(h.size() - windows).contains(true);
        },
        timeoutMs);
}
