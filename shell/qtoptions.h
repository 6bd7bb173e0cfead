// Qt's own command-line options (-platform, -style, -geometry, ...), which the
// application object takes for itself: our parser lets them pass.
#pragma once

#include <QStringList>

// `arguments` without Qt's standard options and their values. Both spellings
// (-style and --style) and the -style=NAME form are recognised.
QStringList withoutQtOptions(const QStringList& arguments);
