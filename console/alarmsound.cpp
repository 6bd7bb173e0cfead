#include "alarmsound.h"

#include "inifile.h"

#include <QDir>
#include <QFileInfo>

QString alarmSoundPathIn(const QString& programFolder, const QString& dataFolder)
{
    for (const QString& folder : { programFolder, dataFolder }) {
        const QString path = folder + QStringLiteral("/BUZZ5.wav");
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString installedDataFolder(const QString& programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/" TUVELA_DATADIR_FROM_BINDIR));
}

QString alarmSoundPath()
{
    const QString folder = programFolder();
    return alarmSoundPathIn(folder, installedDataFolder(folder));
}
