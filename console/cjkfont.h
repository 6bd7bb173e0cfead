// Fonts for the operator's Chinese texts: the designed family when it is
// installed, otherwise an installed family that covers simplified Chinese.
#pragma once

#include <QFont>
#include <QString>

// `wanted` when installed; else the first installed family with simplified
// Chinese; else `wanted` unchanged (the font system then substitutes).
QString cjkFamily(const QString& wanted);

QFont cjkFont(const QString& wanted, qreal points, bool bold);
