#include "propertybrowser.h"

#include "colouredit.h"
#include "propertytable.h"
#include "propertytext.h"
#include "segmentdisplay.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <limits>

namespace {

QString textOf(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

QString pictureSummary(const PicturePtr& picture)
{
    if (!picture)
        return QObject::tr("无图片");
    if (picture->isNull())
        return QObject::tr("空图片");
    return QObject::tr("%1 × %2 像素").arg(picture->width()).arg(picture->height());
}

} // namespace

PropertyBrowser::PropertyBrowser(SegmentDisplay& display, QWidget* parent)
    : QTableWidget(int(kDisplayProperties.size()), 2, parent)
    , m_display(display)
{
    setObjectName(QStringLiteral("lstProperties"));
    setAccessibleName(tr("属性"));
    setHorizontalHeaderLabels({ tr("属性"), tr("值") });
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int row = 0; row < rowCount(); ++row) {
        const PropertyInfo& info = kDisplayProperties[size_t(row)];
        auto* name = new QTableWidgetItem(textOf(info.name));
        name->setFlags(Qt::ItemIsEnabled);
        name->setToolTip(textOf(info.doc));
        setItem(row, 0, name);
        QWidget* editor = makeEditor(info);
        editor->setObjectName(QStringLiteral("edit") + textOf(info.name));
        editor->setAccessibleName(textOf(info.name));
        editor->setAccessibleDescription(textOf(info.doc));
        editor->setToolTip(textOf(info.doc));
        setCellWidget(row, 1, editor);
        m_editors.push_back(editor);
    }
    resizeColumnToContents(0);
    refresh();
}

QWidget* PropertyBrowser::editorOf(const QString& name) const
{
    const QByteArray key = name.toLatin1();
    const auto index = findDisplayProperty(std::string_view(key.constData(), size_t(key.size())));
    return index ? m_editors[size_t(*index)] : nullptr;
}

QWidget* PropertyBrowser::makeEditor(const PropertyInfo& info)
{
    switch (info.kind) {
    case PropertyKind::Flag: {
        auto* box = new QCheckBox(this);
        connect(box, &QCheckBox::toggled, this,
            [this, &info](bool on) { apply(info, on ? QStringLiteral("True") : QStringLiteral("False")); });
        return box;
    }
    case PropertyKind::Colour: {
        auto* edit = new ColourEdit(this);
        connect(
            edit, &ColourEdit::referenceEdited, this, [this, &info](const QString& t) { apply(info, t); });
        return edit;
    }
    case PropertyKind::Text: {
        auto* edit = new QLineEdit(this);
        connect(edit, &QLineEdit::editingFinished, this, [this, &info, edit] {
            if (edit->text() != m_display.Value())
                apply(info, edit->text());
        });
        return edit;
    }
    case PropertyKind::Picture:
        return makePictureEditor(info);
    default:
        return makeNumberEditor(info);
    }
}

QWidget* PropertyBrowser::makeNumberEditor(const PropertyInfo& info)
{
    if (info.kind == PropertyKind::Float32) {
        auto* spin = new QDoubleSpinBox(this);
        spin->setRange(-1e9, 1e9);
        spin->setDecimals(3);
        connect(spin, &QDoubleSpinBox::valueChanged, this,
            [this, &info](double v) { apply(info, QString::number(v, 'g', 9)); });
        return spin;
    }
    auto* spin = new QSpinBox(this);
    if (info.kind == PropertyKind::Int16)
        spin->setRange(std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
    else
        spin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    connect(spin, &QSpinBox::valueChanged, this, [this, &info](int v) { apply(info, QString::number(v)); });
    return spin;
}

QWidget* PropertyBrowser::makePictureEditor(const PropertyInfo& info)
{
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* summary = new QLabel(box);
    summary->setObjectName(QStringLiteral("lblPicture"));
    auto* choose = new QPushButton(tr("选择…"), box);
    choose->setObjectName(QStringLiteral("cmdChoosePicture"));
    auto* clear = new QPushButton(tr("清除"), box);
    clear->setObjectName(QStringLiteral("cmdClearPicture"));
    layout->addWidget(summary, 1);
    layout->addWidget(choose);
    layout->addWidget(clear);
    connect(choose, &QPushButton::clicked, this, [this, &info] {
        const QString file = QFileDialog::getOpenFileName(
            this, tr("选择背景图片"), {}, tr("图片 (*.png *.bmp *.jpg *.jpeg *.gif)"));
        if (!file.isEmpty())
            apply(info, file);
    });
    // An empty file name gives an empty picture: the gradient shows again.
    connect(clear, &QPushButton::clicked, this, [this, &info] { apply(info, QString()); });
    return box;
}

void PropertyBrowser::apply(const PropertyInfo& info, const QString& text)
{
    if (m_refreshing)
        return;
    QString error;
    if (!setPropertyFromText(m_display, textOf(info.name), text, &error))
        emit refused(error);
    refresh();
}

void PropertyBrowser::refresh()
{
    m_refreshing = true;
    for (int row = 0; row < rowCount(); ++row)
        showRow(row);
    m_refreshing = false;
}

void PropertyBrowser::showRow(int row)
{
    const PropertyInfo& info = kDisplayProperties[size_t(row)];
    const QByteArray name(info.name.data(), qsizetype(info.name.size()));
    const QVariant value = m_display.property(name.constData());
    QWidget* editor = m_editors[size_t(row)];
    const QSignalBlocker block(editor);
    if (auto* box = qobject_cast<QCheckBox*>(editor))
        box->setChecked(value.toBool());
    else if (auto* colour = qobject_cast<ColourEdit*>(editor))
        colour->setReference(value.toUInt());
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(value.toString());
    else if (auto* spin = qobject_cast<QSpinBox*>(editor))
        spin->setValue(value.toInt());
    else if (auto* real = qobject_cast<QDoubleSpinBox*>(editor))
        real->setValue(value.toDouble());
    else if (auto* summary = editor->findChild<QLabel*>(QStringLiteral("lblPicture")))
        summary->setText(pictureSummary(value.value<PicturePtr>()));
}
