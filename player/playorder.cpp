#include "playorder.h"

#include <algorithm>

namespace {

const LoopStatusName& rowOf(LoopStatus status)
{
    return *std::find_if(kLoopStatuses.begin(), kLoopStatuses.end(),
        [status](const LoopStatusName& row) { return row.status == status; });
}

} // namespace

QString LoopStatusText(LoopStatus status)
{
    return QLatin1String(rowOf(status).text);
}

QString LoopStatusCaption(LoopStatus status)
{
    return QString::fromUtf16(rowOf(status).caption);
}

std::optional<LoopStatus> LoopStatusFromText(const QString& text)
{
    for (const LoopStatusName& row : kLoopStatuses) {
        if (text == QLatin1String(row.text))
            return row.status;
    }
    return std::nullopt;
}

LoopStatus NextLoopStatus(LoopStatus status)
{
    const auto* row = &rowOf(status) + 1;
    return row == kLoopStatuses.end() ? kLoopStatuses.front().status : row->status;
}

QString ShuffleText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool ShuffleFromText(const QString& text)
{
    bool number = false;
    const int value = text.trimmed().toInt(&number);
    return number ? value != 0 : text.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString ShuffleCaption(bool on)
{
    return on ? QStringLiteral("随机：开") : QStringLiteral("随机：关");
}

std::optional<int> NextInPlaylist(const std::vector<bool>& playable, int current)
{
    const int count = int(playable.size());
    for (int step = 1; step <= count; ++step) {
        const int i = ((qMax(current, -1) + step) % count + count) % count;
        if (playable[size_t(i)])
            return i;
    }
    return std::nullopt;
}

void ShuffleRound::enter(const QString& folder)
{
    if (folder == m_folder)
        return;
    m_folder = folder;
    m_played.clear();
}

void ShuffleRound::played(const QString& folder, const QString& name)
{
    enter(folder);
    m_played.insert(name);
}

std::vector<int> ShuffleRound::unplayed(const QStringList& names, const std::vector<bool>& playable) const
{
    std::vector<int> left;
    for (int i = 0; i < int(names.size()) && i < int(playable.size()); ++i) {
        if (playable[size_t(i)] && !m_played.contains(names[i]))
            left.push_back(i);
    }
    return left;
}

std::optional<int> ShuffleRound::pick(const QString& folder, const QStringList& names,
    const std::vector<bool>& playable, const QString& current, const Random& random)
{
    enter(folder);
    std::vector<int> left = unplayed(names, playable);
    if (left.empty()) {
        // A new round: every file again, but not the song that just ended
        // first, unless it is the only one.
        m_played.clear();
        left = unplayed(names, playable);
        if (left.size() > 1)
            std::erase_if(left, [&](int i) { return names[i] == current; });
    }
    if (left.empty())
        return std::nullopt;
    return left[size_t(qBound(0, random(int(left.size())), int(left.size()) - 1))];
}
