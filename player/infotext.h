#pragma once

#include <QString>

// The size line of the song information frame: bytes below 1 KiB, kilobytes
// up to and including 1 MiB, megabytes above; two decimals rounded half to
// even, written in the shortest form ("1.5KB", "1024KB", "3.34MB").
QString SizeText(qint64 size);

// A play time as minutes and seconds, "mm:ss" (whole seconds, cut; minutes
// keep counting past 99). Negative times show as "00:00".
QString TimeText(qint64 milliseconds);
