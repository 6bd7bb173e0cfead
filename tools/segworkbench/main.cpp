// segworkbench [LAYOUT.json]: configure a seven-segment display and save it
// as a layout file, optionally starting from an existing one.
#include "workbenchwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QObject::tr("段式显示工作台：设置显示控件的属性，保存布局文件，导出 PNG。"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("layout"), QObject::tr("要打开的布局文件（可选）"));
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
