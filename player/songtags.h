// What the desktop is told of a song beyond its file: title, artists, album
// and a cover picture, from the media's own tags.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QMediaMetaData;

struct SongTags {
    QString title;
    QStringList artists;
    QString album;
    QImage cover; // the picture embedded in the file, if any

    bool isEmpty() const { return title.isEmpty() && artists.isEmpty() && album.isEmpty() && cover.isNull(); }
};

// The tags as the media engine tells them. The performing artists come
// first, then the album's artist, then the author; a text holding several
// names separated by ";" or "/" (or a list) gives one name each. The cover
// is the front cover, else the thumbnail.
SongTags SongTagsFrom(const QMediaMetaData& data);

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
