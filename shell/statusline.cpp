#include "statusline.h"

#include <algorithm>

StatusLine::StatusLine(const QString& initial, QObject* parent)
    : QObject(parent)
    , m_passing(initial)
    , m_shown(initial)
{
}

void StatusLine::show(const QString& text)
{
    m_passing = text;
    update();
}

void StatusLine::raise(const QString& name, const QString& text)
{
    const auto it
        = std::find_if(m_faults.begin(), m_faults.end(), [&](const Fault& f) { return f.name == name; });
    if (it != m_faults.end())
        it->text = text;
    else
        m_faults.append({ name, text });
    update();
}

void StatusLine::clear(const QString& name)
{
    m_faults.removeIf([&](const Fault& f) { return f.name == name; });
    update();
}

bool StatusLine::standing(const QString& name) const
{
    return std::any_of(m_faults.begin(), m_faults.end(), [&](const Fault& f) { return f.name == name; });
}

QString StatusLine::text() const
{
    if (m_faults.isEmpty())
        return m_passing;
    QStringList texts;
    for (const Fault& f : m_faults)
        texts << f.text;
    return texts.join(QStringLiteral("；"));
}

void StatusLine::update()
{
    const QString shown = text();
    if (shown == m_shown)
        return;
    m_shown = shown;
    emit changed(m_shown);
}
