#include "fixtures.h"

#include <QFile>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include <sstream>

namespace segraster::testing {

QJsonArray loadCases(const char* file)
{
    QFile f(QStringLiteral(TUVELA_TEST_DATA "/segraster/") + QString::fromLatin1(file));
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << f.fileName().toStdString();
        return {};
    }
    const QJsonArray cases = QJsonDocument::fromJson(f.readAll()).object().value("cases").toArray();
    EXPECT_FALSE(cases.isEmpty()) << file;
    return cases;
}

std::vector<std::vector<int>> rowsOf(const QJsonObject& c, const char* field)
{
    std::vector<std::vector<int>> rows;
    for (const QJsonValue& r : c.value(QLatin1String(field)).toArray()) {
        std::vector<int> row;
        for (const QJsonValue& v : r.toArray())
            row.push_back(v.toInt());
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::pair<int, int>> pairsOf(const QJsonValue& v)
{
    std::vector<std::pair<int, int>> out;
    for (const QJsonValue& p : v.toArray())
        out.emplace_back(p.toArray().at(0).toInt(), p.toArray().at(1).toInt());
    return out;
}

std::string describe(const QJsonObject& c)
{
    QJsonObject brief = c;
    for (const QString& key : c.keys())
        if (key.endsWith(QLatin1String("rows")))
            brief.remove(key);
    return QJsonDocument(brief).toJson(QJsonDocument::Compact).toStdString();
}

std::string rowsText(const std::vector<std::vector<int>>& rows)
{
    // A stream rather than chains of string concatenation: GCC 12 warns
    // (-Wrestrict, wrongly) inside the standard library for `" " + str`.
    std::ostringstream out;
    for (const std::vector<int>& r : rows) {
        out << r.at(0) << ':';
        for (std::size_t i = 1; i + 1 < r.size(); i += 2)
            out << ' ' << r[i] << '-' << r[i + 1];
        out << '\n';
    }
    return out.str();
}

} // namespace segraster::testing
