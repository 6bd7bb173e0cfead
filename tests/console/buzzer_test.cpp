// The generated alarm sound and where the console looks for it.
#include "alarmsound.h"
#include "buzzer.h"

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
