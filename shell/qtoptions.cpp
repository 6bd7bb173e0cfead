#include "qtoptions.h"

#include <array>

namespace {

struct QtOption {
    const char* name; // without the leading dash
    bool takesValue;
};

// The options QGuiApplication, QApplication and the X11 platform read.
constexpr std::array kQtOptions {
    QtOption { "platform", true },
    QtOption { "platformpluginpath", true },
    QtOption { "platformtheme", true },
    QtOption { "plugin", true },
    QtOption { "qmljsdebugger", true },
    QtOption { "qwindowgeometry", true },
    QtOption { "qwindowicon", true },
    QtOption { "qwindowtitle", true },
    QtOption { "style", true },
    QtOption { "stylesheet", true },
    QtOption { "session", true },
    QtOption { "geometry", true },
    QtOption { "title", true },
    QtOption { "display", true },
    QtOption { "name", true },
    QtOption { "visual", true },
    QtOption { "ncols", true },
    QtOption { "cmap", true },
    QtOption { "reverse", false },
    QtOption { "widgetcount", false },
    QtOption { "nograb", false },
    QtOption { "dograb", false },
    QtOption { "sync", false },
};

// The option an argument names, or nullptr; `inlineValue` tells of -name=VALUE.
const QtOption* qtOption(const QString& argument, bool* inlineValue)
{
    if (!argument.startsWith(u'-'))
        return nullptr;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(u'=');
    *inlineValue = equals >= 0;
    if (*inlineValue)
        name.truncate(equals);
    for (const QtOption& option : kQtOptions) {
        if (name == QLatin1String(option.name))
            return &option;
    }
    return nullptr;
}

} // namespace

QStringList withoutQtOptions(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool inlineValue = false;
        const QtOption* option = i == 0 ? nullptr : qtOption(arguments[i], &inlineValue);
        if (!option) {
            kept << arguments[i];
            continue;
        }
        if (option->takesValue && !inlineValue)
            ++i; // its value
    }
    return kept;
}
