// The settings file tuvela.ini: one value read or written at a time.
#pragma once

#include <QString>
#include <QStringList>

// Returns the value of `key` in `section` of the profile file at `path`, or ""
// when the file, the section or the key is missing. Section and key names match
// without regard to case; the value comes back as written (blanks around an
// unquoted value dropped, one pair of surrounding double quotes removed), cut to
// its first 254 characters. Reading never creates the file.
QString GetFromINI(const QString& section, const QString& key, const QString& path);
// The values of several keys of one section from a single read of the file, in
// the order of `keys`, each as the one-key form gives it.
QStringList GetFromINI(const QString& section, const QStringList& keys, const QString& path);

// Sets `key` in `section` to `value`, creating the file, the section and the key
// as needed and replacing an existing value in place; every other line keeps its
// bytes. The new content goes to a temporary file renamed over the old one while
// an exclusive lock on the settings file is held, so concurrent writers never lose
// each other's values and a crash never leaves half a file. A path that is a
// symbolic link stays one: the file it points to is replaced. Temporary files
// left by writers killed mid-save are removed by the next save. On failure returns
// false, leaves the old file as it was and, when `error` is given, stores a short
// reason in Chinese there.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
    const QString& path, QString* error = nullptr);

// A file a program is told of: `commandLine` when given, else `key` of
// `section` in the settings file at `iniPath`, a relative path there taken from
// the settings file's folder; "" when neither names one.
QString configuredPath(
    const QString& commandLine, const QString& section, const QString& key, const QString& iniPath);

// The folder holding the running program's executable.
QString programFolder();

// Where both programs keep tuvela.ini: the program folder + "/" + "tuvela.ini"
// (the separator is appended unconditionally), or, when the program folder is not
// writable or is an installed program's (named bin or sbin, or under /usr or
// /opt, even when writable, as it is to root), $XDG_CONFIG_HOME/tuvela/tuvela.ini,
// whose folder is created on demand.
QString settingsPath();

// The settings path for a given program folder (the rule settingsPath() applies).
QString settingsPathFor(const QString& folder);
