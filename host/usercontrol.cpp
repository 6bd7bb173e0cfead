#include "usercontrol.h"

#include "layoutfile.h"

#include <QCoreApplication>
#include <QResizeEvent>

void UserControl::restore(const PropertyBag& bag)
{
    restoreControl(*this, bag);
}

PropertyBag UserControl::store() const
{
    return storeControl(*this);
}

void UserControl::giveSize(QSize size, SizeNotice notice)
{
    const QSize old = this->size();
    resize(size);
    if (!isVisible() && (old != size || notice == SizeNotice::Always)) {
        QResizeEvent event(size, old);
        QCoreApplication::sendEvent(this, &event);
    }
}
