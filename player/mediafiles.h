#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <string_view>

// The file list's 24 patterns, "*.ext" each, in their designed order.
inline constexpr std::array<std::string_view, 24> kFilePatterns{
    "*.swf", "*.cur", "*.bmp", "*.jpg", "*.jpeg", "*.pcx", "*.png", "*.gif",
    "*.wbm", "*.wbmp", "*.psd", "*.tif", "*.tiff", "*.ico", "*.wav", "*.mp3",
    "*.wma", "*.asf", "*.wmv", "*.dat", "*.avi", "*.rm", "*.ra", "*.rmvb"};

// True when the name matches one of the patterns, without regard to case.
bool MatchesFilePattern(const QString &name);

// Name order of the lists: case-insensitive, ties broken by exact code order
// so the order is total and stable.
bool NameLess(const QString &a, const QString &b);

// The names of the plain files in the folder that match the patterns, in
// name order. An unreadable or missing folder gives an empty list.
QStringList ListMediaFiles(const QString &folder);

// The names of the visible subfolders, in name order.
QStringList ListSubfolders(const QString &folder);

// folder + "/" + name, without doubling the separator at the root.
QString JoinPath(const QString &folder, const QString &name);
