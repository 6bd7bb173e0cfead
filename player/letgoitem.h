// The rule for an item whose file the media engine let go of (stopped, ended
// or unplayable, so its disk can be ejected): what the engine told of it is
// kept and told instead of the engine's answers, until the item is opened
// again; a move meanwhile is remembered and played from once it is. After it
// is opened again, a duration or tags the engine does not know yet are still
// told from what was kept. Pure: the player hands over the engine's answers.
#pragma once

#include "songtags.h"

#include <QtGlobal>

#include <optional>

class LetGoItem {
public:
    // What the engine told of the item when it let go of it.
    struct Told {
        int state = 0; // MediaPlayer::PlayState
        qint64 position = 0;
        qint64 duration = 0;
        bool seekable = false;
        SongTags tags;
    };

    // The engine let go of the item.
    void letGo(const Told& told);
    // The item opened again.
    void reopen();
    // Another item, or none: nothing is kept.
    void forget();

    // Let go of and not opened again.
    bool letGoOf() const { return m_kept && !m_reopened; }

    int state(int engine) const { return letGoOf() ? m_kept->state : engine; }
    qint64 position(qint64 engine) const { return letGoOf() ? m_kept->position : engine; }
    qint64 duration(qint64 engine) const;
    bool seekable(bool engine) const { return letGoOf() ? m_kept->seekable : engine; }
    SongTags tags(const SongTags& engine) const;

    // A move while let go of is kept (true); otherwise it is the engine's.
    bool moveTo(qint64 milliseconds);
    // Where playing it again starts, once (0: the beginning).
    qint64 takeStart();
    // Played again from its beginning.
    void clearStart() { m_startAt = 0; }
    qint64 start() const { return m_startAt; }

private:
    std::optional<Told> m_kept;
    bool m_reopened = false;
    qint64 m_startAt = 0;
};
