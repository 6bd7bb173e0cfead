#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <string_view>

// How the player presents a listed file: pictures are decoded and shown,
// everything else goes to the media engine.
enum class FileKind { None, Media, Picture };

struct FileType {
    std::string_view extension; // without the dot, lower case
    FileKind kind;
};

// The file list's types: the 24 classic ones in their designed order, then
// today's common audio, video and picture formats.
inline constexpr std::array<FileType, 35> kFileTypes { {
    { "swf", FileKind::Media },
    { "cur", FileKind::Picture },
    { "bmp", FileKind::Picture },
    { "jpg", FileKind::Picture },
    { "jpeg", FileKind::Picture },
    { "pcx", FileKind::Picture },
    { "png", FileKind::Picture },
    { "gif", FileKind::Picture },
    { "wbm", FileKind::Picture },
    { "wbmp", FileKind::Picture },
    { "psd", FileKind::Picture },
    { "tif", FileKind::Picture },
    { "tiff", FileKind::Picture },
    { "ico", FileKind::Picture },
    { "wav", FileKind::Media },
    { "mp3", FileKind::Media },
    { "wma", FileKind::Media },
    { "asf", FileKind::Media },
    { "wmv", FileKind::Media },
    { "dat", FileKind::Media },
    { "avi", FileKind::Media },
    { "rm", FileKind::Media },
    { "ra", FileKind::Media },
    { "rmvb", FileKind::Media },
    { "flac", FileKind::Media },
    { "ogg", FileKind::Media },
    { "oga", FileKind::Media },
    { "opus", FileKind::Media },
    { "m4a", FileKind::Media },
    { "aac", FileKind::Media },
    { "mp4", FileKind::Media },
    { "m4v", FileKind::Media },
    { "mkv", FileKind::Media },
    { "webm", FileKind::Media },
    { "webp", FileKind::Picture },
} };

// The kind of a file by its extension, without regard to case; None for a
// file the list does not show.
FileKind KindOfFile(const QString& name);

// True when the file list shows the name.
inline bool MatchesFilePattern(const QString& name)
{
    return KindOfFile(name) != FileKind::None;
}

// Name order of the lists: case-insensitive, ties broken by exact code order
// so the order is total and stable.
bool NameLess(const QString& a, const QString& b);

// The names of the plain files in the folder that match the patterns, in
// name order. An unreadable or missing folder gives an empty list.
QStringList ListMediaFiles(const QString& folder);

// The names of the visible subfolders, in name order.
QStringList ListSubfolders(const QString& folder);

// folder + "/" + name, without doubling the separator at the root.
QString JoinPath(const QString& folder, const QString& name);
