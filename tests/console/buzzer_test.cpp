// The generated alarm sound and where the console looks for it.
#include "alarmsound.h"
#include "buzzer.h"
#include "wavsound.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[at + size_t(i)];
    return v;
}

TEST(Buzzer, WaveFileIsShortMonoPcmThatStartsAndEndsQuietly)
{
    const std::vector<std::int16_t> pcm = buzzer::samples();
    const std::vector<std::uint8_t> wav = buzzer::wavFile(pcm);
    ASSERT_EQ(wav.size(), 44 + pcm.size() * 2);
    EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
    EXPECT_EQ(le(wav, 4, 4), wav.size() - 8);
    EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le(wav, 20, 2), 1u); // PCM
    EXPECT_EQ(le(wav, 22, 2), 1u); // mono
    EXPECT_EQ(le(wav, 24, 4), std::uint32_t(buzzer::kSampleRate));
    EXPECT_EQ(le(wav, 34, 2), 16u);
    EXPECT_EQ(le(wav, 40, 4), pcm.size() * 2);
    EXPECT_EQ(std::int16_t(le(wav, 44, 2)), pcm.front());

    const double seconds = double(pcm.size()) / buzzer::kSampleRate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 0.9); // restarted every second: must not be cut
    int peak = 0;
    for (const std::int16_t s : pcm)
        peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 12000);
    EXPECT_LT(peak, 32767); // no clipping
    EXPECT_LT(std::abs(int(pcm.front())), 200);
    EXPECT_LT(std::abs(int(pcm.back())), 200);
}

TEST(Buzzer, FirstBeepHasThePitch)
{
    const std::vector<std::int16_t> pcm = buzzer::samples();
    const size_t beep = size_t(buzzer::kSampleRate * buzzer::kBeepMs / 1000);
    int crossings = 0;
    for (size_t i = 1; i < beep; ++i)
        crossings += (pcm[i - 1] < 0) != (pcm[i] < 0);
    const double expected = 2.0 * buzzer::kPitchHz * buzzer::kBeepMs / 1000.0;
    EXPECT_NEAR(crossings, expected, expected * 0.1);
}

TEST(AlarmSound, ProgramFolderFirstThenDataFolder)
{
    QTemporaryDir program, data;
    EXPECT_EQ(alarmSoundPathIn(program.path(), data.path()), QString());
    QFile inData(data.filePath("BUZZ5.wav"));
    ASSERT_TRUE(inData.open(QIODevice::WriteOnly));
    inData.close();
    EXPECT_EQ(alarmSoundPathIn(program.path(), data.path()), data.filePath("BUZZ5.wav"));
    QFile beside(program.filePath("BUZZ5.wav"));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(alarmSoundPathIn(program.path(), data.path()), program.filePath("BUZZ5.wav"));
}

// Relative to the program, so installing under another prefix still finds it.
TEST(AlarmSound, DataFolderFollowsTheProgramsPrefix)
{
    EXPECT_EQ(installedDataFolder(QStringLiteral("/usr/bin")), QStringLiteral("/usr/share/tuvela"));
    EXPECT_EQ(
        installedDataFolder(QStringLiteral("/usr/local/bin")), QStringLiteral("/usr/local/share/tuvela"));
    EXPECT_EQ(installedDataFolder(QStringLiteral("/opt/t/bin")), QStringLiteral("/opt/t/share/tuvela"));
}

} // namespace

namespace {

QByteArray chunk(const char* id, const QByteArray& body)
{
    QByteArray out(id, 4);
    const std::uint32_t size = std::uint32_t(body.size());
    out.append(reinterpret_cast<const char*>(&size), 4);
    return out + body + (body.size() % 2 ? QByteArray(1, '\0') : QByteArray());
}

QByteArray format(int code, int channels, int rate, int bits)
{
    QByteArray f(16, '\0');
    auto put = [&](int at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            f[at + i] = char(v >> (8 * i));
    };
    put(0, std::uint32_t(code), 2);
    put(2, std::uint32_t(channels), 2);
    put(4, std::uint32_t(rate), 4);
    put(12, std::uint32_t(channels * bits / 8), 2);
    put(14, std::uint32_t(bits), 2);
    return f;
}

QByteArray riff(const QByteArray& chunks)
{
    return chunk("RIFF", "WAVE" + chunks);
}

// Files as the buzzer meets them: what it plays and what it refuses, with why.
TEST(WavSound, ReadsPlainPcmAndNamesWhatItRefuses)
{
    const QByteArray mono8 = format(1, 1, 8000, 8);
    const struct {
        const char* name;
        QByteArray file;
        int channels, bytesPerSample, pcmBytes;
        const char* why;
    } cases[] = {
        { "8-bit stereo", riff(chunk("fmt ", format(1, 2, 11025, 8)) + chunk("data", QByteArray(6, 'x'))), 2,
            1, 6, "" },
        { "odd chunk skipped", riff(chunk("fmt ", mono8) + chunk("LIST", "abc") + chunk("data", "xy")), 1, 1,
            2, "" },
        { "data cut short", riff(chunk("fmt ", format(1, 1, 8000, 16))).append("data\x10\0\0\0abcde", 13), 1,
            2, 4, "" },
        { "not RIFF", "RIFX....WAVE", 0, 0, 0, "不是 WAVE" },
        { "compressed", riff(chunk("fmt ", format(2, 1, 8000, 16)) + chunk("data", "xy")), 0, 0, 0,
            "不是可播放的 PCM" },
        { "24-bit", riff(chunk("fmt ", format(1, 1, 8000, 24)) + chunk("data", "xyz")), 0, 0, 0, "24 位" },
        { "no format", riff(chunk("data", "xy")), 0, 0, 0, "数据块前没有格式块" },
        { "no data", riff(chunk("fmt ", mono8)), 0, 0, 0, "没有声音数据" },
        { "empty data", riff(chunk("fmt ", mono8) + chunk("data", "")), 0, 0, 0, "没有声音数据" },
    };
    for (const auto& c : cases) {
        QString why;
        const std::optional<wav::Sound> sound = wav::parse(c.file, &why);
        EXPECT_EQ(sound.has_value(), *c.why == 0) << c.name;
        if (sound) {
            EXPECT_EQ(sound->channels, c.channels) << c.name;
            EXPECT_EQ(sound->bytesPerSample, c.bytesPerSample) << c.name;
            EXPECT_EQ(sound->pcm.size(), c.pcmBytes) << c.name;
        } else {
            EXPECT_TRUE(why.contains(QString::fromUtf8(c.why))) << c.name << ": " << why.toStdString();
        }
    }
}

// The generated buzzer sound, padded to a second of loop.
TEST(WavSound, OneSecondLoopOfTheGeneratedSound)
{
    const std::vector<std::uint8_t> bytes = buzzer::wavFile(buzzer::samples());
    QString why;
    const auto sound
        = wav::parse(QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())), &why);
    ASSERT_TRUE(sound) << why.toStdString();
    EXPECT_EQ(sound->sampleRate, buzzer::kSampleRate);
    const QByteArray loop = wav::period(*sound, 1000);
    ASSERT_EQ(loop.size(), buzzer::kSampleRate * 2);
    EXPECT_TRUE(loop.startsWith(sound->pcm));
    EXPECT_EQ(loop.count('\0'), loop.size() - sound->pcm.size() + sound->pcm.count('\0'));
    EXPECT_EQ(wav::period(*sound, 100), sound->pcm.left(buzzer::kSampleRate / 10 * 2)) << "cut, not padded";

    wav::Sound unsigned8 { 8000, 1, 1, QByteArray(10, char(200)) };
    EXPECT_EQ(wav::period(unsigned8, 2).right(6), QByteArray(6, char(0x80))) << "silence of unsigned samples";
}

} // namespace
