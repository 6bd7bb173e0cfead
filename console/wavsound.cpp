#include "wavsound.h"

#include <QtEndian>

namespace wav {
namespace {

    constexpr int kPcm = 1;

    std::uint32_t le32(const QByteArray& b, qsizetype at)
    {
        return qFromLittleEndian<std::uint32_t>(b.constData() + at);
    }
    std::uint16_t le16(const QByteArray& b, qsizetype at)
    {
        return qFromLittleEndian<std::uint16_t>(b.constData() + at);
    }

    std::optional<Sound> fail(QString* why, const QString& text)
    {
        *why = text;
        return std::nullopt;
    }

    // The "fmt " chunk's body, checked for what the buzzer can play.
    bool readFormat(const QByteArray& file, qsizetype at, std::uint32_t size, Sound& sound, QString* why)
    {
        if (size < 16) {
            *why = QStringLiteral("格式块不完整");
            return false;
        }
        const int format = le16(file, at);
        sound.channels = le16(file, at + 2);
        sound.sampleRate = int(std::min<std::uint32_t>(le32(file, at + 4), 1'000'000));
        const int bits = le16(file, at + 14);
        if (format != kPcm || (bits != 8 && bits != 16) || sound.channels < 1 || sound.channels > 2
            || sound.sampleRate < 4000 || sound.sampleRate > 192000) {
            *why = QStringLiteral("不是可播放的 PCM 声音（格式 %1，%2 位，%3 声道，%4 Hz）")
                       .arg(format)
                       .arg(bits)
                       .arg(sound.channels)
                       .arg(sound.sampleRate);
            return false;
        }
        sound.bytesPerSample = bits / 8;
        return true;
    }

} // namespace

std::optional<Sound> parse(const QByteArray& file, QString* why)
{
    if (file.size() < 12 || !file.startsWith("RIFF") || file.mid(8, 4) != "WAVE")
        return fail(why, QStringLiteral("不是 WAVE 声音文件"));
    Sound sound;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        const QByteArray id = file.mid(at, 4);
        const std::uint32_t size = le32(file, at + 4);
        const qsizetype body = at + 8;
        const qsizetype available = std::min<qsizetype>(size, file.size() - body);
        if (id == "fmt ") {
            if (!readFormat(file, body, std::uint32_t(available), sound, why))
                return std::nullopt;
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return fail(why, QStringLiteral("数据块前没有格式块"));
            const qsizetype frames = available / sound.bytesPerFrame();
            if (frames == 0)
                return fail(why, QStringLiteral("没有声音数据"));
            sound.pcm = file.mid(body, frames * sound.bytesPerFrame());
            return sound;
        }
        at = body + qsizetype(size) + (size & 1); // chunks are padded to even sizes
    }
    return fail(why, haveFormat ? QStringLiteral("没有声音数据") : QStringLiteral("没有格式块"));
}

QByteArray period(const Sound& sound, int periodMs)
{
    const qsizetype bytes = qsizetype(sound.sampleRate) * periodMs / 1000 * sound.bytesPerFrame();
    QByteArray out = sound.pcm.left(bytes);
    const char silence = sound.bytesPerSample == 1 ? char(0x80) : char(0);
    out.append(bytes - out.size(), silence);
    return out;
}

} // namespace wav
