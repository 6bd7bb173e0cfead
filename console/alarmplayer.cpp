#include "alarmplayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QAudioSink>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include <cstring>

namespace {

// An endless read of one period after the other.
class LoopSource : public QIODevice {
public:
    explicit LoopSource(QByteArray period)
        : m_period(std::move(period))
    {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_period.size() + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        qint64 done = 0;
        while (done < maxSize) {
            const qint64 n = std::min(maxSize - done, qint64(m_period.size()) - m_at);
            std::memcpy(data + done, m_period.constData() + m_at, size_t(n));
            done += n;
            m_at = (m_at + n) % m_period.size();
        }
        return done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_period;
    qint64 m_at = 0;
};

// A stream that played nothing since the last look is waiting the first
// time and stalled the second.
class Progress {
public:
    BuzzerStream look(bool moved)
    {
        m_still = moved ? 0 : m_still + 1;
        return m_still == 0 ? BuzzerStream::Playing
            : m_still == 1  ? BuzzerStream::Waiting
                            : BuzzerStream::Stalled;
    }

private:
    int m_still = 0;
};

QString sinkError(QAudio::Error error)
{
    switch (error) {
    case QAudio::OpenError:
        return QStringLiteral("无法打开声音输出设备");
    case QAudio::IOError:
        return QStringLiteral("声音输出出错");
    case QAudio::FatalError:
        return QStringLiteral("声音服务出错或已断开");
    default:
        return QStringLiteral("声音输出已停止");
    }
}

// The loop on an audio sink of Qt's audio engine; progress is the sink's
// count of microseconds played.
class SinkStream : public AlarmPlayer::Stream {
public:
    SinkStream(const QAudioDevice& device, const wav::Sound& loop)
        : m_source(loop.pcm)
    {
        QAudioFormat format;
        format.setSampleRate(loop.sampleRate);
        format.setChannelCount(loop.channels);
        format.setSampleFormat(loop.bytesPerSample == 1 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->setBufferSize(format.bytesForDuration(qint64(AlarmPlayer::kBufferMs) * 1000));
        m_sink->start(&m_source);
    }
    ~SinkStream() override { m_sink->stop(); }

    bool failed() const
    {
        const QAudio::Error error = m_sink->error();
        return m_sink->state() == QAudio::StoppedState
            || (error != QAudio::NoError && error != QAudio::UnderrunError);
    }
    BuzzerStream look(QString* fault) override
    {
        if (failed()) {
            *fault = sinkError(m_sink->error());
            return BuzzerStream::Failed;
        }
        const qint64 played = m_sink->processedUSecs();
        return m_progress.look(std::exchange(m_played, played) < played);
    }

private:
    LoopSource m_source;
    std::unique_ptr<QAudioSink> m_sink;
    qint64 m_played = 0;
    Progress m_progress;
};

// The sound file played once a tick by a media player made afresh each time,
// which connects to the sound server anew; progress is its position moving.
// (Qt's media player left looping falls silent after some forty seconds.)
class PlayerStream : public AlarmPlayer::Stream {
public:
    explicit PlayerStream(const QString& file)
        : m_file(file)
    {
        beat();
    }

    BuzzerStream look(QString* fault) override
    {
        if (!m_error.isEmpty()) {
            *fault = QStringLiteral("声音服务出错或已断开（%1）").arg(m_error);
            return BuzzerStream::Failed;
        }
        return m_progress.look(std::exchange(m_moved, false));
    }
    void beat() override
    {
        m_player.reset();
        m_output = std::make_unique<QAudioOutput>();
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(m_output.get());
        QObject::connect(m_player.get(), &QMediaPlayer::positionChanged, [this] { m_moved = true; });
        QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred,
            [this](QMediaPlayer::Error, const QString& text) { m_error = text; });
        m_player->setSource(QUrl::fromLocalFile(m_file));
        m_player->play();
    }

private:
    QString m_file;
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    bool m_moved = false;
    Progress m_progress;
    QString m_error;
};

} // namespace

AlarmPlayer::AlarmPlayer(const QString& path, QObject* parent)
    : QObject(parent)
    , m_path(path)
{
    QFile file(m_path);
    std::optional<wav::Sound> sound;
    if (m_path.isEmpty()) {
        m_fileProblem = QStringLiteral("找不到声音文件 BUZZ5.wav");
    } else if (!file.open(QIODevice::ReadOnly)) {
        m_fileProblem = QStringLiteral("声音文件 %1 无法打开：%2").arg(m_path, file.errorString());
    } else {
        QString why;
        sound = wav::parse(file.readAll(), &why);
        if (!sound)
            m_fileProblem = QStringLiteral("声音文件 %1 无法读取：%2").arg(m_path, why);
    }
    if (!sound) {
        m_fault = m_fileProblem;
        return;
    }
    m_loop = *sound;
    m_loop->pcm = wav::period(*sound, kPeriodMs);
}

AlarmPlayer::~AlarmPlayer() = default;

void AlarmPlayer::tick(bool sounding)
{
    m_sounding = sounding;
    switch (buzzerAction(sounding, look())) {
    case BuzzerAction::Keep:
        if (m_stream)
            m_stream->beat();
        break;
    case BuzzerAction::Start:
    case BuzzerAction::Restart:
        open();
        break;
    case BuzzerAction::Stop:
        m_stream.reset();
        break;
    }
}

void AlarmPlayer::stop()
{
    m_sounding = false;
    m_stream.reset();
}

// How the stream fared since the last look; its fault, if any, is shown.
BuzzerStream AlarmPlayer::look()
{
    if (!m_stream)
        return BuzzerStream::None;
    QString fault;
    const BuzzerStream stream = m_stream->look(&fault);
    if (stream == BuzzerStream::Waiting)
        return stream;
    if (stream == BuzzerStream::Stalled)
        fault = QStringLiteral("声音输出停滞");
    setFault(fault);
    return stream;
}

void AlarmPlayer::open()
{
    m_stream.reset();
    if (!m_loop) {
        setFault(m_fileProblem);
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        setFault(QStringLiteral("没有可用的声音输出设备（声音服务未运行？）"));
        return;
    }
    auto sink = std::make_unique<SinkStream>(device, *m_loop);
    if (!sink->failed()) {
        m_stream = std::move(sink);
        return;
    }
    sink.reset();
    m_stream = std::make_unique<PlayerStream>(m_path);
}

void AlarmPlayer::setFault(const QString& fault)
{
    if (fault == m_fault)
        return;
    m_fault = fault;
    emit faultChanged(m_fault);
}
