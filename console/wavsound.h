// The alarm sound file as PCM: a RIFF/WAVE reader for plain PCM files (8-bit
// unsigned or 16-bit signed, mono or stereo) and the one-second pattern the
// buzzer loops. Pure: no audio device involved.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace wav {

struct Sound {
    int sampleRate = 0;
    int channels = 0;
    int bytesPerSample = 0; // 1: unsigned 8-bit, 2: signed 16-bit little-endian
    QByteArray pcm; // whole frames only

    int bytesPerFrame() const { return channels * bytesPerSample; }
};

// The sound in `file`, or nothing with the reason in the operator's words in
// `why`. A data chunk shorter than its header says is taken as far as it goes.
std::optional<Sound> parse(const QByteArray& file, QString* why);

// `periodMs` of the sound: cut there, or padded with silence to it, so that
// looping it sounds the file once every period.
QByteArray period(const Sound& sound, int periodMs);

} // namespace wav
