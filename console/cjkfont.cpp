#include "cjkfont.h"

#include <QFontDatabase>
#include <QStringList>

QString cjkFamily(const QString& wanted)
{
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(wanted, Qt::CaseInsensitive))
        return wanted;
    const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    // Prefer a proportional family: the monospaced variants look cramped in labels.
    for (const QString& family : chinese) {
        if (!QFontDatabase::isFixedPitch(family))
            return family;
    }
    return chinese.isEmpty() ? wanted : chinese.first();
}

QFont cjkFont(const QString& wanted, qreal points, bool bold)
{
    QFont font(cjkFamily(wanted));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}
