#include "colouredit.h"

#include "colour.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

ColourEdit::ColourEdit(QWidget* parent)
    : QWidget(parent)
    , m_text(new QLineEdit(this))
    , m_swatch(new QLabel(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_swatch->setFixedSize(18, 18);
    m_swatch->setAccessibleName(tr("颜色样本"));
    auto* pick = new QToolButton(this);
    pick->setObjectName(QStringLiteral("cmdPick"));
    pick->setText(QStringLiteral("…"));
    pick->setAccessibleName(tr("选择颜色"));
    layout->addWidget(m_swatch);
    layout->addWidget(m_text, 1);
    layout->addWidget(pick);
    // Leaving the field without a change sets nothing.
    connect(m_text, &QLineEdit::editingFinished, this, [this] {
        if (m_text->text() != referenceText(m_reference))
            emit referenceEdited(m_text->text());
    });
    connect(pick, &QToolButton::clicked, this, &ColourEdit::cmdPick_Click);
}

QString ColourEdit::referenceText(uint reference)
{
    return QStringLiteral("0x%1").arg(reference, 8, 16, QLatin1Char('0')).toUpper().replace("0X", "0x");
}

void ColourEdit::setReference(uint reference)
{
    m_text->setText(referenceText(reference));
    showSwatch(reference);
}

// What the reference paints; transparent when it names no colour.
static QColor paintedColour(uint reference)
{
    const std::int32_t rgb = colours::TranslateColour(reference);
    return rgb < 0 ? QColor(Qt::transparent) : QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

void ColourEdit::showSwatch(uint reference)
{
    m_reference = reference;
    const QColor colour = paintedColour(reference);
    m_swatch->setStyleSheet(QStringLiteral("background:%1; border:1px solid gray").arg(colour.name()));
}

void ColourEdit::cmdPick_Click()
{
    const QColor chosen = QColorDialog::getColor(paintedColour(m_reference), this, tr("选择颜色"));
    if (!chosen.isValid())
        return;
    const uint reference = uint(chosen.red()) | uint(chosen.green()) << 8 | uint(chosen.blue()) << 16;
    m_text->setText(referenceText(reference));
    emit referenceEdited(m_text->text());
}
