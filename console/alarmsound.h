// Where the console finds its alarm sound.
#pragma once

#include <QString>

// BUZZ5.wav beside the program when it is there (a build tree), otherwise in
// the installed data folder; "" when neither holds it (the alarm stays silent).
QString alarmSoundPath();

// The same rule for given folders.
QString alarmSoundPathIn(const QString& programFolder, const QString& dataFolder);

// The installed data folder of a program installed in `programFolder`
// (/usr/bin gives /usr/share/tuvela, /usr/local/bin /usr/local/share/tuvela).
QString installedDataFolder(const QString& programFolder);
