// What plays when a song ends: the loop mode and shuffle, and the choice of
// the next file, as pure functions over the file list. The player's own
// buttons, the desktop controls and the settings file share these names.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// None: a song that ends stops. Track: it plays again. Playlist: the list
// goes on, from its last file back to its first.
enum class LoopStatus { None, Track, Playlist };

struct LoopStatusName {
    LoopStatus status;
    const char* text; // on the desktop bus and in the settings file
    const char16_t* caption; // the loop button's text
};

// In the loop button's order: each press moves to the next row.
inline constexpr std::array<LoopStatusName, 3> kLoopStatuses { {
    { LoopStatus::None, "None", u"循环：关" },
    { LoopStatus::Playlist, "Playlist", u"循环：列表" },
    { LoopStatus::Track, "Track", u"循环：单曲" },
} };

QString LoopStatusText(LoopStatus status);
QString LoopStatusCaption(LoopStatus status);
// Exact names only; anything else is nothing.
std::optional<LoopStatus> LoopStatusFromText(const QString& text);
// The status after `status` in the button's order, None after the last.
LoopStatus NextLoopStatus(LoopStatus status);

// Shuffle in the settings file: "1" or "0"; read, any other whole number
// but 0 and "true" (any case) are on.
QString ShuffleText(bool on);
bool ShuffleFromText(const QString& text);
QString ShuffleCaption(bool on);

// The entry to play after entry `current` (-1: none) when going on through
// a list whose entries are playable or not: the next playable one, past
// the last back to the first. Nothing when no entry is playable.
std::optional<int> NextInPlaylist(const std::vector<bool>& playable, int current);

// Random picks without repeats: a round holds the files of one folder
// played so far; a pick comes from those not yet played, and when none is
// left a new round begins, without the song that just ended if another one
// can play.
class ShuffleRound {
public:
    // Returns a number in 0 .. bound - 1.
    using Random = std::function<int(int bound)>;

    // `name` of `folder` has started; another folder begins a new round.
    void played(const QString& folder, const QString& name);
    // The entry of `names` (listed in `folder`, playable or not) to play
    // after `current` ends, or nothing when no entry is playable.
    std::optional<int> pick(const QString& folder, const QStringList& names,
        const std::vector<bool>& playable, const QString& current, const Random& random);

    const QSet<QString>& playedThisRound() const { return m_played; }

private:
    void enter(const QString& folder);
    std::vector<int> unplayed(const QStringList& names, const std::vector<bool>& playable) const;

    QString m_folder;
    QSet<QString> m_played;
};
