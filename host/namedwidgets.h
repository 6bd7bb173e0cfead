// Named controls: every control of a window carries its designed name (what
// tests, stored layouts and the window's own code find it by) and the name
// assistive technology reads out.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

namespace named {

// Gives `widget` its designed name and its accessible name; returns it.
template <typename W> W* control(W* widget, const QString& name, const QString& accessibleName)
{
    widget->setObjectName(name);
    widget->setAccessibleName(accessibleName);
    return widget;
}

// A window: its designed name, and its title, which assistive technology reads
// as its name too.
inline void window(QWidget* window, const QString& name, const QString& title)
{
    control(window, name, title)->setWindowTitle(title);
}

// A push button read out by its caption.
inline QPushButton* button(const QString& name, const QString& caption, QWidget* parent)
{
    return control(new QPushButton(caption, parent), name, caption);
}

// A frame read out by its caption.
inline QGroupBox* frame(const QString& name, const QString& caption, QWidget* parent)
{
    return control(new QGroupBox(caption, parent), name, caption);
}

// A caption label; assistive technology reads the control it labels instead.
inline QLabel* label(const QString& name, const QString& caption, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

// A text box read out by the caption of the label beside it, which becomes its
// buddy.
inline QLineEdit* textBox(const QString& name, QLabel* buddy, QWidget* parent)
{
    auto* box = control(new QLineEdit(parent), name, buddy->text());
    buddy->setBuddy(box);
    return box;
}

} // namespace named
