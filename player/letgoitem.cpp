#include "letgoitem.h"

#include <utility>

void LetGoItem::letGo(const Told& told)
{
    m_kept = told;
    m_reopened = false;
    m_startAt = 0;
}

void LetGoItem::reopen()
{
    if (m_kept)
        m_reopened = true;
}

void LetGoItem::forget()
{
    m_kept.reset();
    m_reopened = false;
    m_startAt = 0;
}

qint64 LetGoItem::duration(qint64 engine) const
{
    if (letGoOf())
        return m_kept->duration;
    return engine > 0 || !m_kept ? engine : m_kept->duration;
}

SongTags LetGoItem::tags(const SongTags& engine) const
{
    if (letGoOf())
        return m_kept->tags;
    return engine.isEmpty() && m_kept ? m_kept->tags : engine;
}

bool LetGoItem::moveTo(qint64 milliseconds)
{
    if (!letGoOf())
        return false;
    m_kept->position = m_startAt = milliseconds;
    return true;
}

qint64 LetGoItem::takeStart()
{
    return std::exchange(m_startAt, 0);
}
