// Loading of the reference pixel sets kept in the test data folder.
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <string>
#include <vector>

namespace segraster::testing {

// The "cases" array of tests/data/segraster/<file>; fails the test when missing.
QJsonArray loadCases(const char* file);

// A pixel-set field ([[y, x0, x1, ...], ...]) as plain rows.
std::vector<std::vector<int>> rowsOf(const QJsonObject& c, const char* field);

// [[x, y], ...] as a flat list of pairs.
std::vector<std::pair<int, int>> pairsOf(const QJsonValue& v);

// Compact one-line form of a case for failure messages.
std::string describe(const QJsonObject& c);

// Row list as text ("y: x0-x1 ..." per row) for readable diffs.
std::string rowsText(const std::vector<std::vector<int>>& rows);

} // namespace segraster::testing
