// The picture a song file carries inside it: the PICTURE blocks of a FLAC
// file and the picture frames (APIC, PIC) of an ID3v2 tag at the start of a
// file (MP3 and others). The front cover is chosen, else the first picture.
// Only the tags at the file's start are read, never the sound; a damaged or
// cut tag gives nothing rather than a wrong picture.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// The encoded picture (JPEG, PNG, ...) as stored, or empty.
QByteArray EmbeddedPicture(QIODevice& file);

// The picture of the file at `path`, decoded; null when there is none.
QImage EmbeddedCover(const QString& path);
