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
