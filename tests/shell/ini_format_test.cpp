// Reading and rewriting the bytes of a settings file.
#include "iniformat.h"

#include <gtest/gtest.h>

namespace {

struct LookupCase {
    const char* name;
    QByteArray content;
    const char* section;
    const char* key;
    std::optional<QString> expected;
};

class IniLookup : public ::testing::TestWithParam<LookupCase> { };

TEST_P(IniLookup, FindsTheStoredValue)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(ini::lookup(c.content, QString::fromUtf8(c.section), QString::fromUtf8(c.key)), c.expected);
}

const QString k35 = QStringLiteral("35");

INSTANTIATE_TEST_SUITE_P(Cases, IniLookup,
    ::testing::Values(LookupCase { "Lf", "[TEMP]\nSETTEMP=35\n", "TEMP", "SETTEMP", k35 },
        LookupCase { "CrLf", "[TEMP]\r\nSETTEMP=35\r\n", "TEMP", "SETTEMP", k35 },
        LookupCase { "NoFinalBreak", "[TEMP]\r\nSETTEMP=35", "TEMP", "SETTEMP", k35 },
        LookupCase { "ByteOrderMark", "\xEF\xBB\xBF[TEMP]\r\nSETTEMP=35\r\n", "TEMP", "SETTEMP", k35 },
        LookupCase { "CommentsAndBlanks", "; note\n\n# other\n[TEMP]\n\n; SETTEMP=1\nSETTEMP=35\n", "TEMP",
            "SETTEMP", k35 },
        LookupCase { "NamesIgnoreCase", "[temp]\nSetTemp=35\n", "TEMP", "SETTEMP", k35 },
        LookupCase { "BlanksAroundNamesAndValue", "[ TEMP ]\n  SETTEMP =  35 \t\n", "TEMP", "SETTEMP", k35 },
        LookupCase { "EmptyValue", "[TEMP]\nSETTEMP=\n", "TEMP", "SETTEMP", QString() },
        LookupCase {
            "ValueWithEquals", "[IRCODE]\nKEYCODE1=a=b\n", "IRCODE", "KEYCODE1", QStringLiteral("a=b") },
        LookupCase { "Utf8Value", "[IRCODE]\nKEYCODE1=\xE9\x81\xA5\xE6\x8E\xA7\n", "IRCODE", "KEYCODE1",
            QStringLiteral("遥控") },
        LookupCase {
            "KeyOfOtherSection", "[IRCODE]\nSETTEMP=35\n[TEMP]\nX=1\n", "TEMP", "SETTEMP", std::nullopt },
        LookupCase { "KeyBeforeAnySection", "SETTEMP=35\n[TEMP]\n", "TEMP", "SETTEMP", std::nullopt },
        LookupCase { "MissingSection", "[IRCODE]\nKEYCODE1=7\n", "TEMP", "SETTEMP", std::nullopt },
        LookupCase { "EmptyFile", "", "TEMP", "SETTEMP", std::nullopt },
        LookupCase { "FirstOccurrenceWins", "[TEMP]\nSETTEMP=35\nSETTEMP=40\n", "TEMP", "SETTEMP", k35 },
        LookupCase {
            "OnePairOfQuotesRemoved", "[A]\nK = \" x \" \nL=\"\"y\"\"\n", "A", "K", QStringLiteral(" x ") },
        LookupCase { "LoneQuoteStays", "[A]\nK=\"\n", "A", "K", QStringLiteral("\"") },
        LookupCase { "PrefixIsNotAMatch", "[TEMP]\nSETTEMP2=35\n", "TEMP", "SETTEMP", std::nullopt }),
    [](const auto& info) { return std::string(info.param.name); });

struct AssignCase {
    const char* name;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

class IniAssign : public ::testing::TestWithParam<AssignCase> { };

TEST_P(IniAssign, ChangesOnlyTheOneEntry)
{
    const AssignCase& c = GetParam();
    const QString section = QString::fromUtf8(c.section);
    const QString key = QString::fromUtf8(c.key);
    const QByteArray after = ini::assign(c.before, section, key, QString::fromUtf8(c.value));
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(ini::lookup(after, section, key), QString::fromUtf8(c.value));
}

INSTANTIATE_TEST_SUITE_P(Cases, IniAssign,
    ::testing::Values(AssignCase { "NewFile", "", "TEMP", "SETTEMP", "35", "[TEMP]\nSETTEMP=35\n" },
        AssignCase { "ReplaceInPlaceKeepsOtherBytes",
            "\xEF\xBB\xBF; shared\r\n[IRCODE]\r\nKEYCODE1 = FF00 \r\n\r\n[temp]\r\nsettemp=30\r\nX=1\r\n",
            "TEMP", "SETTEMP", "35",
            "\xEF\xBB\xBF; shared\r\n[IRCODE]\r\nKEYCODE1 = FF00 \r\n\r\n[temp]\r\nsettemp=35\r\nX=1\r\n" },
        AssignCase {
            "ReplaceKeepsSpacingAfterEquals", "[A]\nK =  old\n", "A", "K", "new", "[A]\nK =  new\n" },
        AssignCase { "ReplaceWithEmpty", "[A]\nK=old\n", "A", "K", "", "[A]\nK=\n" },
        AssignCase { "NewKeyAtEndOfItsSection", "[A]\r\nK1=1\r\n\r\n[B]\r\nK=2\r\n", "A", "K2", "x",
            "[A]\r\nK1=1\r\nK2=x\r\n\r\n[B]\r\nK=2\r\n" },
        AssignCase {
            "NewKeyInLastSectionWithoutFinalBreak", "[A]\nK1=1", "A", "K2", "x", "[A]\nK1=1\nK2=x\n" },
        AssignCase {
            "NewSectionAfterUnterminatedLine", "[A]\r\nK=1", "B", "K", "2", "[A]\r\nK=1\r\n[B]\r\nK=2\r\n" },
        AssignCase { "ByteOrderMarkOnly", "\xEF\xBB\xBF", "A", "K", "1", "\xEF\xBB\xBF[A]\nK=1\n" },
        AssignCase { "LeadingAndTrailingBlanksQuoted", "[IRCODE]\nKEYCODE1=old\n", "IRCODE", "KEYCODE1",
            " FF00\t", "[IRCODE]\nKEYCODE1=\" FF00\t\"\n" },
        AssignCase { "OwnQuotesKeptByQuotingAgain", "", "A", "K", "\"q\"", "[A]\nK=\"\"q\"\"\n" },
        AssignCase { "InnerQuoteAndBlankLeftPlain", "", "A", "K", "a \"b", "[A]\nK=a \"b\n" },
        AssignCase { "OnlyBlanks", "", "A", "K", "  ", "[A]\nK=\"  \"\n" },
        AssignCase { "ChineseValue", "[IRCODE]\n", "IRCODE", "KEYCODE3", "遥控",
            "[IRCODE]\nKEYCODE3=\xE9\x81\xA5\xE6\x8E\xA7\n" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniValidate, RefusesEntriesThatWouldReadBackDifferently)
{
    EXPECT_TRUE(ini::validate("TEMP", "SETTEMP", "35").isEmpty());
    EXPECT_TRUE(ini::validate("TEMP", "SETTEMP", "").isEmpty());
    EXPECT_FALSE(ini::validate("TEMP", "SETTEMP", "3\r\n[X]").isEmpty());
    EXPECT_FALSE(ini::validate("TEMP", "SET\nTEMP", "1").isEmpty());
    EXPECT_FALSE(ini::validate("TE]MP", "SETTEMP", "1").isEmpty());
    EXPECT_FALSE(ini::validate(" ", "SETTEMP", "1").isEmpty());
    EXPECT_FALSE(ini::validate("TEMP", "A=B", "1").isEmpty());
    EXPECT_FALSE(ini::validate("TEMP", ";A", "1").isEmpty());
    EXPECT_FALSE(ini::validate("TEMP", "", "1").isEmpty());
}

} // namespace
