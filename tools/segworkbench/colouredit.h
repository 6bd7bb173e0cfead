// Editor of one colour reference: the reference as text (decimal or 0x
// hexadecimal, system colours such as 0x80000012 included), a swatch of the
// colour it paints, and a button that picks an RGB colour from a dialog.
#pragma once

#include <QWidget>

class QLineEdit;
class QLabel;

class ColourEdit : public QWidget {
    Q_OBJECT
public:
    explicit ColourEdit(QWidget* parent = nullptr);

    void setReference(uint reference);
    QLineEdit* textField() const { return m_text; }

    static QString referenceText(uint reference);

signals:
    // The text the user settled on, not yet checked.
    void referenceEdited(const QString& text);

private:
    void cmdPick_Click();
    void showSwatch(uint reference);

    QLineEdit* m_text;
    QLabel* m_swatch;
    uint m_reference = 0;
};
