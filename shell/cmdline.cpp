#include "cmdline.h"

#include "qtoptions.h"
#include "tuvelaversion.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <cstdio>

namespace {

const char kSources[] = "Which device is COMn, first match wins:\n"
                        "  1. --comN PATH on the command line;\n"
                        "  2. the key COMn of section [PORTS] in tuvela.ini, for example\n"
                        "     COM1=/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0;\n"
                        "  3. automatic: USB serial adapters (ttyUSB*, ttyACM*) in the order of their\n"
                        "     /dev/serial/by-id names, then the machine's own serial ports that exist.\n"
                        "Devices that appear or vanish while the program runs are followed, and a\n"
                        "device lost while connected is reconnected when it returns.\n\n"
                        "Qt's standard options (-platform NAME, -style NAME, -geometry WxH+X+Y, ...)\n"
                        "are accepted as well.\n";

QString programName(const QStringList& arguments)
{
    return arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).fileName();
}

QString usage(const QStringList& arguments, const ProgramSyntax& syntax)
{
    QString text = QStringLiteral("Usage: %1 [options]\n%2\n\nOptions:\n")
                       .arg(programName(arguments), syntax.description);
    text += QStringLiteral("  -h, --help          Show this help and exit.\n");
    text += QStringLiteral("  --version           Show the version and exit.\n");
    for (int port = 1; port <= kComPortCount; ++port)
        text += QStringLiteral("  --com%1 PATH         Device that stands for COM%1.\n").arg(port);
    text
        += QStringLiteral("  --connect           Connect the first selectable port once the window is up.\n");
    for (const ValueOption& o : syntax.own)
        text += QStringLiteral("  --%1 %2").arg(o.name, o.valueName).leftJustified(22) + o.help + u'\n';
    return text + QStringLiteral("\n") + QString::fromUtf8(kSources);
}

QList<QCommandLineOption> portOptions()
{
    QList<QCommandLineOption> ports;
    for (int port = 1; port <= kComPortCount; ++port)
        ports.append(
            QCommandLineOption(QStringLiteral("com%1").arg(port), QString(), QStringLiteral("PATH")));
    return ports;
}

} // namespace

std::optional<ProgramOptions> parseProgramOptions(
    const QStringList& arguments, const ProgramSyntax& syntax, QString* message, bool* helpRequested)
{
    *helpRequested = false;
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList { QStringLiteral("h"), QStringLiteral("help") });
    const QCommandLineOption version(QStringLiteral("version"));
    const QCommandLineOption connect(QStringLiteral("connect"));
    const QList<QCommandLineOption> ports = portOptions();
    parser.addOptions(ports + QList { help, version, connect });
    for (const ValueOption& o : syntax.own)
        parser.addOption(QCommandLineOption(o.name, QString(), o.valueName));
    if (!parser.parse(withoutQtOptions(arguments))) {
        *message = parser.errorText() + QStringLiteral("\n\n") + usage(arguments, syntax);
        return std::nullopt;
    }
    if (parser.isSet(version) && !parser.isSet(help)) {
        *helpRequested = true;
        *message = programName(arguments) + QStringLiteral(" " TUVELA_VERSION "\n");
        return std::nullopt;
    }
    if (parser.isSet(help) || !parser.positionalArguments().isEmpty()) {
        *helpRequested = parser.isSet(help);
        *message = (*helpRequested ? QString()
                                   : QStringLiteral("Unexpected argument: %1\n\n")
                                         .arg(parser.positionalArguments().join(u' ')))
            + usage(arguments, syntax);
        return std::nullopt;
    }
    ProgramOptions options;
    for (size_t i = 0; i < options.com.size(); ++i)
        options.com[i] = parser.value(ports[qsizetype(i)]);
    options.connect = parser.isSet(connect);
    for (const ValueOption& o : syntax.own)
        options.values.insert(o.name, parser.value(o.name));
    return options;
}

ProgramOptions parseProgramOptionsOrExit(const QStringList& arguments, const ProgramSyntax& syntax)
{
    QString message;
    bool help = false;
    if (std::optional<ProgramOptions> options = parseProgramOptions(arguments, syntax, &message, &help))
        return *options;
    std::fputs(qPrintable(message), help ? stdout : stderr);
    std::exit(help ? 0 : 2);
}

bool parseProgramOptions(const QStringList& arguments, const QString& description, ComDevices* devices,
    QString* message, bool* helpRequested)
{
    const std::optional<ProgramOptions> options
        = parseProgramOptions(arguments, ProgramSyntax { description, {} }, message, helpRequested);
    if (!options)
        return false;
    for (int port = 1; port <= kComPortCount; ++port) {
        if (!options->com[size_t(port - 1)].isEmpty())
            devices->setPath(port, options->com[size_t(port - 1)]);
    }
    return true;
}
