// Gathers received characters into lines ended by CR LF, for both programs'
// receive handlers.
#pragma once

#include <QString>

#include <optional>

class LineFramer {
public:
    // A line that never ends keeps only its newest characters, so noise on the
    // wire cannot grow the buffer without bound.
    static constexpr qsizetype kMaxPending = 4096;

    // Adds the characters of one read. Once the characters gathered end with
    // CR LF, returns them without the CR LF and starts the next line empty; a
    // CR not followed by LF stays part of the line.
    std::optional<QString> add(const QString& chunk);

    // The characters of the line not yet ended.
    const QString& pending() const { return m_buffer; }
    // Drops the line not yet ended: after a link change its start belongs to
    // no line that will follow.
    void clear() { m_buffer.clear(); }

private:
    QString m_buffer;
};
