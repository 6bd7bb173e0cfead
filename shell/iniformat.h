// Profile (INI) text handling without any file access: finding a value and
// setting one in the bytes of a settings file.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace ini {

// The most characters a read returns.
inline constexpr int kMaxValueLength = 254;

// The value of `key` in `section` (names compared without regard to case, blanks
// around names and value dropped, then one pair of surrounding double quotes
// removed), or nothing when the section or key is missing.
// Handles CRLF and LF line ends, a UTF-8 byte-order mark, blank lines and comment
// lines starting with ';' or '#'. The value is not cut here.
std::optional<QString> lookup(const QByteArray& content, const QString& section, const QString& key);
// The same for several keys of one section, the file's lines split only once.
std::vector<std::optional<QString>> lookup(
    const QByteArray& content, const QString& section, const QStringList& keys);

// The content with `key` in `section` set to `value`. An existing key keeps its
// line, only the text after "=" changes; a missing key is added at the end of its
// section, a missing section at the end of the file. Every other byte stays.
// A value that lookup() would not give back as it is (blanks at either end, or
// surrounding quotes of its own) is stored in double quotes.
// Call validate() first: names or values it refuses would corrupt the file.
QByteArray assign(
    const QByteArray& content, const QString& section, const QString& key, const QString& value);

// Why the entry cannot be stored ("" when it can): empty names, names that would
// read back as something else, line breaks anywhere.
QString validate(const QString& section, const QString& key, const QString& value);

} // namespace ini
