#include "sayonce.h"

#include <QSet>

#include <cstdio>

void say(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

void sayOnce(const QString& text)
{
    static QSet<QString> said;
    if (said.contains(text))
        return;
    said.insert(text);
    say(text);
}
