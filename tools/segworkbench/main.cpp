// segworkbench [LAYOUT.json]: configure a seven-segment display and save it
// as a layout file, optionally starting from an existing one.
#include "tuvelaversion.h"
#include "workbenchwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <cstring>

namespace {

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QObject::tr("段式显示工作台：设置显示控件的属性，保存布局文件，导出 PNG。"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("layout"), QObject::tr("要打开的布局文件（可选）"));
}

// Whether the command line only asks for the help or the version, which are
// answered without a display.
bool onlyAsks(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : { "-h", "--help", "-?", "--help-all", "-v", "--version" }) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(QStringLiteral(TUVELA_VERSION));
    QCommandLineParser parser;
    addOptions(parser);
    if (onlyAsks(argc, argv)) {
        const QCoreApplication app(argc, argv);
        parser.process(app); // prints the answer and exits
    }
    QApplication app(argc, argv);
    parser.process(app);

    WorkbenchWindow window;
    window.show();
    if (!parser.positionalArguments().isEmpty()) {
        QString error;
        if (!window.openLayout(parser.positionalArguments().first(), &error))
            QMessageBox::warning(&window, QObject::tr("打开布局"), error);
    }
    return app.exec();
}
