#include "cmdline.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace {

QString usage(const QStringList& arguments, const QString& description, const ComDevices& devices)
{
    const QString program = arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
    QString text = QStringLiteral("Usage: %1 [options]\n%2\n\nOptions:\n").arg(program, description);
    text += QStringLiteral("  -h, --help          Show this help and exit.\n");
    for (int port = 1; port <= ComDevices::kPortCount; ++port) {
        text += QStringLiteral("  --com%1 PATH         Device that stands for COM%1 (default %2).\n")
                    .arg(port)
                    .arg(devices.path(port));
    }
    return text;
}

} // namespace

bool parseProgramOptions(const QStringList& arguments, const QString& description, ComDevices* devices,
    QString* message, bool* helpRequested)
{
    *helpRequested = false;
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    parser.addOption(help);
    QList<QCommandLineOption> ports;
    for (int port = 1; port <= ComDevices::kPortCount; ++port)
        ports.append(
            QCommandLineOption(QStringLiteral("com%1").arg(port), QString(), QStringLiteral("PATH")));
    parser.addOptions(ports);
    if (!parser.parse(arguments)) {
        *message = parser.errorText() + QStringLiteral("\n\n") + usage(arguments, description, *devices);
        return false;
    }
    if (parser.isSet(help) || !parser.positionalArguments().isEmpty()) {
        *helpRequested = parser.isSet(help);
        *message = (*helpRequested ? QString()
                                   : QStringLiteral("Unexpected argument: %1\n\n")
                                         .arg(parser.positionalArguments().join(u' ')))
            + usage(arguments, description, *devices);
        return false;
    }
    for (int port = 1; port <= ComDevices::kPortCount; ++port) {
        if (parser.isSet(ports[port - 1]))
            devices->setPath(port, parser.value(ports[port - 1]));
    }
    return true;
}

ComDevices parseProgramOptions(const QStringList& arguments, const QString& description)
{
    ComDevices devices;
    QString message;
    bool help = false;
    if (parseProgramOptions(arguments, description, &devices, &message, &help))
        return devices;
    std::fputs(qPrintable(message), help ? stdout : stderr);
    std::exit(help ? 0 : 2);
}
