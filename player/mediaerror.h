#pragma once

#include <QImageReader>
#include <QMediaPlayer>
#include <QString>

// What the song information area says about a file that cannot be played or
// shown: "无法播放：" + the file name + the reason in brackets, one line.
QString UnplayableLine(const QString& fileName, const QString& reason);

// The reason for a media engine error, in the operator's words.
QString MediaErrorText(QMediaPlayer::Error error);

// The reason a picture file does not decode, in the operator's words.
QString PictureErrorText(QImageReader::ImageReaderError error);
