#include "alarmsound.h"

#include "inifile.h"

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

QString alarmSoundPath()
{
    return alarmSoundPathIn(programFolder(), QStringLiteral(TUVELA_DATADIR));
}
