#pragma once
// Base of the user controls placed on the windows: the host's per-instance
// `Tag` text, the property-changed notice, and the three lifecycle calls by
// which the host gives a new instance its defaults, restores a stored one,
// and saves one.
#include "propertybag.h"
#include "propertyfields.h"

#include <QSize>
#include <QString>
#include <QWidget>

class UserControl : public QWidget {
    Q_OBJECT
public:
    explicit UserControl(QWidget* parent = nullptr)
        : QWidget(parent)
    {
    }

    // Free text the host keeps for each instance; the control never reads it.
    QString Tag;

    virtual void InitProperties() = 0;
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) const = 0;

    // Brings a stored instance to life the way the host does: its properties
    // first, then the stored size (which reaches the control's resize handling).
    void restore(const PropertyBag& bag);
    // The instance's bag as the host stores it: its properties and its size.
    PropertyBag store() const;

    // When a control that is not shown hears of a new size at once.
    enum class SizeNotice {
        WhenChanged, // as a shown control would: only a size that differs
        Always, // also the size it already has, so it builds itself for it
    };
    // Gives the control a size. A hidden widget would hear of it only when
    // shown; the control handles the resize now instead, as a shown one does.
    void giveSize(QSize size, SizeNotice notice = SizeNotice::WhenChanged);

signals:
    // Sent by a setter with the property's name, so the host knows the
    // instance changed and must be saved again.
    void propertyChanged(const QString& name);

protected:
    void PropertyChanged(const QString& name) { emit propertyChanged(name); }

    // Stores a property's new value in the field the table names for it and
    // sends the notice with the table's name.
    template <typename Table, typename P, typename T>
    void storeProperty(const Table& table, P& props, T P::*member, T value)
    {
        props.*member = value;
        PropertyChanged(propertyfields::keyOf(propertyfields::rowOf(table, member).name));
    }
};
