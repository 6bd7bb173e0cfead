// segrender: draws a SegmentDisplay into a PNG without a window.
//
//   segrender --size WxH [--bag FILE] [--set Name=Value]... --out FILE.png
//
// A new instance (or, with --bag, a stored instance loaded from the bag's
// stored form through ReadProperties) gets the size, then each --set through
// that property's setter in the order given, then one more full repaint; the control surface
// is written with every pixel outside the window shape fully transparent.
#include "propertytext.h"
#include "segmentdisplay.h"
#include "tuvelaversion.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "segrender: %s\n", qPrintable(message));
    return 2;
}

bool parseSize(const QString& text, QSize& size)
{
    const QStringList parts = text.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (parts.size() != 2)
        return false;
    bool okW = false, okH = false;
    size = QSize(parts[0].toInt(&okW), parts[1].toInt(&okH));
    return okW && okH && size.width() > 0 && size.height() > 0;
}

// A stored instance's bag; false with the file and the reason when it cannot
// be read or is not a bag.
bool loadBag(const QString& path, PropertyBag& bag, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QString reason;
    bag = PropertyBag::fromDocument(file.readAll(), &reason);
    if (!reason.isEmpty())
        error = QStringLiteral("%1 is not a property bag: %2").arg(path, reason);
    return reason.isEmpty();
}

void addOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Draws a seven-segment display control into a PNG file."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(
        { QStringLiteral("size"), QStringLiteral("Control size in pixels."), QStringLiteral("WxH") });
    parser.addOption({ QStringLiteral("set"),
        QStringLiteral("Set a property through its setter (repeatable, applied in order)."),
        QStringLiteral("Name=Value") });
    parser.addOption({ QStringLiteral("bag"),
        QStringLiteral("Load a stored instance from this property bag (JSON) instead of the defaults."),
        QStringLiteral("FILE") });
    parser.addOption(
        { QStringLiteral("out"), QStringLiteral("PNG file to write."), QStringLiteral("FILE.png") });
}

// Loads the stored instance or the defaults, gives the size, applies each
// assignment in order and repaints; "" when all went well, else the reason.
QString render(SegmentDisplay& display, const QCommandLineParser& parser, QSize size)
{
    if (parser.isSet(QStringLiteral("bag"))) {
        PropertyBag bag;
        QString error;
        if (!loadBag(parser.value(QStringLiteral("bag")), bag, error))
            return error;
        display.ReadProperties(bag);
    } else {
        display.InitProperties();
    }
    // The control builds itself for the size even when it already has it.
    display.giveSize(size, UserControl::SizeNotice::Always);
    for (const QString& assignment : parser.values(QStringLiteral("set"))) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        if (eq <= 0)
            return QStringLiteral("--set needs Name=Value: %1").arg(assignment);
        QString error;
        if (!setPropertyFromText(display, assignment.left(eq), assignment.mid(eq + 1), &error))
            return error;
    }
    if (!display.RepaintAll())
        return display.lastError();
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(TUVELA_VERSION));
    QCommandLineParser parser;
    addOptions(parser);
    parser.process(app);

    QSize size;
    if (!parseSize(parser.value(QStringLiteral("size")), size))
        return fail(QStringLiteral("--size WxH with positive numbers is required"));
    const QString out = parser.value(QStringLiteral("out"));
    if (out.isEmpty())
        return fail(QStringLiteral("--out FILE.png is required"));

    SegmentDisplay display;
    if (const QString error = render(display, parser, size); !error.isEmpty())
        return fail(error);
    if (!surfaceWithinShape(display, 0).save(out, "PNG"))
        return fail(QStringLiteral("cannot write %1").arg(out));
    return 0;
}
