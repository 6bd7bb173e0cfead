// remoteplayer: the infrared-remote music player.
#include "cmdline.h"
#include "form1.h"
#include "inifile.h"
#include "portfollower.h"
#include "programcontext.h"
#include "serialdevices.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Options first, so --help works without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions options = parseProgramOptionsOrExit(arguments,
        ProgramSyntax { QStringLiteral("红外遥控音乐播放器：按遥控器上的键选择磁盘、文件夹和歌曲并播放。") });
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("remoteplayer"));
    const QString iniPath = settingsPath();
    const auto window
        = loadWindow<Form1>(ProgramContext { iniPath, startingComDevices(options.com, iniPath) });
    PortFollower::follow(*window->panel(), options, iniPath);
    showCentred(*window);
    return QApplication::exec();
}
