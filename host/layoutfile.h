#pragma once
// A window's stored layout: one property bag per control instance, keyed by
// the control's name ("Mo", "ucHistogram1"). Each bag also holds the host's own
// entries, such as the instance's size in "_extentx" and "_extenty".
#include "propertybag.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

class LayoutFile {
public:
    // Parses a stored layout. A document that is not a JSON object gives an
    // empty layout and a reason; an entry that is not an object gives that
    // control an empty bag, so it comes up with its defaults.
    static LayoutFile fromDocument(const QByteArray& document, QString* error = nullptr);
    QByteArray toDocument() const;

    // Reads a layout file (a resource path works too). On failure the layout
    // is empty and `error` names the file and the reason, in the operator's
    // language.
    bool load(const QString& path, QString* error = nullptr);
    // Writes the whole file or nothing: an interrupted save keeps the old one.
    bool save(const QString& path, QString* error = nullptr) const;

    // The bag of a control; an empty bag when the layout has none for it.
    PropertyBag bag(const QString& control) const;
    void setBag(const QString& control, const PropertyBag& bag) { m_bags[control] = bag; }
    bool contains(const QString& control) const { return m_bags.count(control) != 0; }
    QStringList controls() const;

    bool operator==(const LayoutFile& other) const { return m_bags == other.m_bags; }

private:
    std::map<QString, PropertyBag> m_bags;
};

// The host's size entries, in hundredths of a millimetre.
namespace extent {
inline const QString kKeyX = QStringLiteral("_extentx");
inline const QString kKeyY = QStringLiteral("_extenty");
inline constexpr int kMaxPixels = 8192;

// The stored size in pixels, when the bag holds both entries as positive numbers
// of at most kMaxPixels pixels.
std::optional<QSize> sizeOf(const PropertyBag& bag);
void store(PropertyBag& bag, QSize pixels);
} // namespace extent

// Brings a stored control instance to life as the host does: its properties
// first, then its stored size (which reaches the control's resize handling).
template <typename Control> void restoreControl(Control& control, const PropertyBag& bag)
{
    control.ReadProperties(bag);
    if (const auto size = extent::sizeOf(bag))
        control.resize(*size);
}

// A control instance's bag as the host stores it: its properties and its size.
template <typename Control> PropertyBag storeControl(const Control& control)
{
    PropertyBag bag;
    control.WriteProperties(bag);
    extent::store(bag, control.size());
    return bag;
}
