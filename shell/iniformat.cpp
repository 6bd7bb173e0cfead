#include "iniformat.h"

#include <vector>

namespace ini {
namespace {

    enum class Kind { Other, Section, Key };

    // One line of the file: [begin, end) is its text, next is where the line after
    // it starts (end plus the line break, if any).
    struct Line {
        qsizetype begin = 0;
        qsizetype end = 0;
        qsizetype next = 0;
        Kind kind = Kind::Other;
        QString name; // section or key name, trimmed
        qsizetype valueAt = 0; // key lines: first byte of the value
    };

    bool isBlank(char c)
    {
        return c == ' ' || c == '\t';
    }

    qsizetype bodyStart(const QByteArray& content)
    {
        return content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    }

    void classify(const QByteArray& content, Line& line)
    {
        const QByteArray text = content.mid(line.begin, line.end - line.begin);
        const QByteArray trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';') || trimmed.startsWith('#'))
            return;
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            line.kind = Kind::Section;
            line.name = QString::fromUtf8(trimmed.mid(1, close < 0 ? -1 : close - 1)).trimmed();
            return;
        }
        const qsizetype eq = text.indexOf('=');
        if (eq < 0)
            return;
        line.kind = Kind::Key;
        line.name = QString::fromUtf8(text.left(eq)).trimmed();
        qsizetype at = line.begin + eq + 1;
        while (at < line.end && isBlank(content.at(at)))
            ++at;
        line.valueAt = at;
    }

    std::vector<Line> splitLines(const QByteArray& content)
    {
        std::vector<Line> lines;
        qsizetype pos = bodyStart(content);
        while (pos < content.size()) {
            Line line;
            line.begin = pos;
            const qsizetype nl = content.indexOf('\n', pos);
            line.next = nl < 0 ? content.size() : nl + 1;
            line.end = nl < 0 ? content.size() : nl;
            if (line.end > line.begin && content.at(line.end - 1) == '\r')
                --line.end;
            classify(content, line);
            lines.push_back(line);
            pos = line.next;
        }
        return lines;
    }

    bool sameName(const QString& a, const QString& b)
    {
        return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
    }

    // Index of the first line of `key` inside a `section`, or -1; `sectionEnd`
    // receives the index after the last non-blank line of the first such section
    // (-1 when there is none).
    qsizetype findKey(
        const std::vector<Line>& lines, const QString& section, const QString& key, qsizetype* sectionEnd)
    {
        bool inside = false;
        *sectionEnd = -1;
        bool firstSection = true;
        for (size_t i = 0; i < lines.size(); ++i) {
            const Line& line = lines[i];
            if (line.kind == Kind::Section) {
                if (inside)
                    firstSection = false;
                inside = sameName(line.name, section);
                if (inside && firstSection)
                    *sectionEnd = qsizetype(i) + 1;
                continue;
            }
            if (!inside)
                continue;
            if (line.kind == Kind::Key && sameName(line.name, key))
                return qsizetype(i);
            if (firstSection && line.end > line.begin)
                *sectionEnd = qsizetype(i) + 1;
        }
        return -1;
    }

    bool isQuoted(const QString& s)
    {
        return s.size() >= 2 && s.startsWith(u'"') && s.endsWith(u'"');
    }

    // A value that begins or ends with a blank goes into double quotes, or the
    // trimming of unquoted values would eat its blanks; so does a value that is
    // itself quoted, or reading would take its quotes off.
    QByteArray storedForm(const QString& value)
    {
        if (value.trimmed().size() != value.size() || isQuoted(value))
            return '"' + value.toUtf8() + '"';
        return value.toUtf8();
    }

    QByteArray lineBreakOf(const QByteArray& content)
    {
        const qsizetype nl = content.indexOf('\n');
        return nl > 0 && content.at(nl - 1) == '\r' ? QByteArray("\r\n") : QByteArray("\n");
    }

} // namespace

std::optional<QString> lookup(const QByteArray& content, const QString& section, const QString& key)
{
    return lookup(content, section, QStringList { key }).front();
}

std::vector<std::optional<QString>> lookup(
    const QByteArray& content, const QString& section, const QStringList& keys)
{
    const std::vector<Line> lines = splitLines(content);
    std::vector<std::optional<QString>> values(size_t(keys.size()));
    for (qsizetype k = 0; k < keys.size(); ++k) {
        qsizetype sectionEnd = -1;
        const qsizetype at = findKey(lines, section, keys[k], &sectionEnd);
        if (at < 0)
            continue;
        const Line& line = lines[size_t(at)];
        const QString value = QString::fromUtf8(content.mid(line.valueAt, line.end - line.valueAt)).trimmed();
        values[size_t(k)] = isQuoted(value) ? value.mid(1, value.size() - 2) : value;
    }
    return values;
}

QByteArray assign(const QByteArray& content, const QString& section, const QString& key, const QString& value)
{
    const std::vector<Line> lines = splitLines(content);
    const QByteArray eol = lineBreakOf(content);
    const QByteArray stored = storedForm(value);
    const QByteArray entry = key.trimmed().toUtf8() + '=' + stored;
    qsizetype sectionEnd = -1;
    const qsizetype at = findKey(lines, section, key, &sectionEnd);
    QByteArray out = content;
    if (at >= 0) {
        const Line& line = lines[size_t(at)];
        return out.replace(line.valueAt, line.end - line.valueAt, stored);
    }
    if (sectionEnd >= 0) {
        const Line& last = lines[size_t(sectionEnd - 1)];
        // the section's last line may be the file's last, without a line break
        const bool broken = last.next == 0 || content.at(last.next - 1) != '\n';
        return out.insert(last.next, (broken ? eol : QByteArray()) + entry + eol);
    }
    if (!out.isEmpty() && !out.endsWith('\n') && out.size() > bodyStart(out))
        out += eol;
    return out + '[' + section.trimmed().toUtf8() + ']' + eol + entry + eol;
}

QString validate(const QString& section, const QString& key, const QString& value)
{
    const auto hasBreak = [](const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); };
    if (hasBreak(section) || hasBreak(key) || hasBreak(value))
        return QStringLiteral("节名、键名和值中不能含有换行符");
    const QString s = section.trimmed();
    const QString k = key.trimmed();
    if (s.isEmpty() || s.contains(u']'))
        return QStringLiteral("节名无效：") + section;
    if (k.isEmpty() || k.contains(u'=') || k.startsWith(u'[') || k.startsWith(u';') || k.startsWith(u'#'))
        return QStringLiteral("键名无效：") + key;
    return {};
}

} // namespace ini
