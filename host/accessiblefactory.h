// Registers what assistive technology sees of a control class: Qt asks each
// installed factory by class name, and the first that answers wins.
#pragma once

#include <QAccessible>
#include <QLatin1String>
#include <QWidget>

namespace accessible {

// The factory for `Interface`, which names its widget class in kClassName and
// is made from the widget.
template <class Interface> QAccessibleInterface* factory(const QString& className, QObject* object)
{
    if (className == QLatin1String(Interface::kClassName) && object && object->isWidgetType())
        return new Interface(static_cast<QWidget*>(object));
    return nullptr;
}

// Installs the factory for `Interface` once per process.
template <class Interface> void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(&factory<Interface>);
        return true;
    }();
    (void)installed;
}

} // namespace accessible
