// A song's cover picture as a file desktop clients can show, all in one
// place: the picture the media engine tells, else the one embedded in the
// file's tags, written once into a cache folder; else a picture beside the
// song.
#pragma once

#include <QImage>
#include <QString>

// The pictures beside a song that serve as its cover, in order of choice
// (names compared without regard to case).
inline constexpr const char* kCoverFileNames[] = { "cover.jpg", "folder.jpg", "cover.png" };

// The cover picture of the song at `mediaPath` as a file that exists: the
// embedded cover written once into `cacheFolder` (named after its pixels, so
// the same picture is written only once however many songs carry it), else
// a cover picture beside the song. "" when there is none or it cannot be
// written.
QString CoverArtFile(const QImage& embedded, const QString& mediaPath, const QString& cacheFolder);

// The cover picture beside the song, or "".
QString CoverBeside(const QString& mediaPath);

// The cover of the song at `mediaPath` for the desktop: `told` (the media
// engine's picture) or else the picture embedded in the file, cached in the
// user's cache folder, else a picture beside the song; "" when there is none.
QString CoverFor(const QString& mediaPath, const QImage& told);
