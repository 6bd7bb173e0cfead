// remoteplayer: the infrared-remote music player.
#include "form1.h"
#include "programstart.h"

int main(int argc, char* argv[])
{
    const ProgramSyntax syntax { QStringLiteral(
                                     "红外遥控音乐播放器：按遥控器上的键选择磁盘、文件夹和歌曲并播放。"),
        { { QStringLiteral("lirc"), QStringLiteral("SOCKET"),
            QStringLiteral("Also take keys from the LIRC daemon's socket\n"
                           "                      (the system's is /run/lirc/lircd).") } } };
    return RunProgram<Form1>(argc, argv, QStringLiteral("remoteplayer"), syntax,
        [](Form1& window, const ProgramOptions& options) -> ConnectionPanel& {
            window.listenToLirc(options.value(QStringLiteral("lirc")));
            return *window.panel();
        });
}
