#include "layoutfile.h"

#include "units.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("LayoutFile", text);
}

} // namespace

LayoutFile LayoutFile::fromDocument(const QByteArray& document, QString* error)
{
    QJsonParseError parse {};
    const QJsonDocument doc = QJsonDocument::fromJson(document, &parse);
    LayoutFile layout;
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        if (error)
            *error = parse.error != QJsonParseError::NoError ? parse.errorString()
                                                             : QStringLiteral("not a JSON object");
        return layout;
    }
    const QJsonObject root = doc.object();
    for (auto it = root.begin(); it != root.end(); ++it)
        layout.m_bags[it.key()] = PropertyBag::fromJson(it.value().toObject());
    return layout;
}

QByteArray LayoutFile::toDocument() const
{
    QJsonObject root;
    for (const auto& [name, bag] : m_bags)
        root.insert(name, bag.toJson());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool LayoutFile::load(const QString& path, QString* error)
{
    m_bags.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = tr("无法打开布局文件 %1：%2").arg(path, file.errorString());
        return false;
    }
    QString reason;
    LayoutFile parsed = fromDocument(file.readAll(), &reason);
    if (!reason.isEmpty()) {
        if (error)
            *error = tr("布局文件 %1 已损坏：%2").arg(path, reason);
        return false;
    }
    *this = std::move(parsed);
    return true;
}

bool LayoutFile::save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(toDocument()) >= 0 && file.commit())
        return true;
    if (error)
        *error = tr("无法保存布局文件 %1：%2").arg(path, file.errorString());
    return false;
}

PropertyBag LayoutFile::bag(const QString& control) const
{
    const auto it = m_bags.find(control);
    return it == m_bags.end() ? PropertyBag() : it->second;
}

QStringList LayoutFile::controls() const
{
    QStringList names;
    for (const auto& entry : m_bags)
        names << entry.first;
    return names;
}

namespace extent {

std::optional<QSize> sizeOf(const PropertyBag& bag)
{
    const int x = bag.readInt32(kKeyX, 0);
    const int y = bag.readInt32(kKeyY, 0);
    const QSize size(units::pixelsFromExtent(x), units::pixelsFromExtent(y));
    // A size no screen could show is a damaged entry, not a request for a
    // gigantic back buffer.
    if (size.width() <= 0 || size.height() <= 0 || size.width() > kMaxPixels || size.height() > kMaxPixels)
        return std::nullopt;
    return size;
}

void store(PropertyBag& bag, QSize pixels)
{
    bag.writeInt32(kKeyX, units::extentFromPixels(pixels.width()), 0);
    bag.writeInt32(kKeyY, units::extentFromPixels(pixels.height()), 0);
}

} // namespace extent
