// The property browser of the workbench: the display's 41 properties in
// interface order, each with an editor that fits its kind and its
// documentation string as tooltip and description. Edits go through the
// property's setter; refresh() shows the values the display holds.
#pragma once

#include <QTableWidget>

#include <vector>

class SegmentDisplay;
struct PropertyInfo;

class PropertyBrowser : public QTableWidget {
    Q_OBJECT
public:
    explicit PropertyBrowser(SegmentDisplay& display, QWidget* parent = nullptr);

    // Shows every property's current value without setting anything.
    void refresh();
    // The editor of a property, by its exact name (for tests and shortcuts).
    QWidget* editorOf(const QString& name) const;

signals:
    // A value the display did not accept, with the reason.
    void refused(const QString& message);

private:
    QWidget* makeEditor(const PropertyInfo& info);
    QWidget* makeNumberEditor(const PropertyInfo& info);
    QWidget* makePictureEditor(const PropertyInfo& info);
    void apply(const PropertyInfo& info, const QString& text);
    void showRow(int row);

    SegmentDisplay& m_display;
    std::vector<QWidget*> m_editors;
    bool m_refreshing = false;
};
