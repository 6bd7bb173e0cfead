// The status line's rule: standing faults stay in view whatever passes, until
// they are cleared; then the latest passing text shows.
#include "statusline.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusLine, StandingFaultsOutlastPassingTexts)
{
    StatusLine line(QStringLiteral("空闲"));
    QStringList shown;
    QObject::connect(&line, &StatusLine::changed, [&](const QString& t) { shown << t; });
    line.show(QStringLiteral("已连接..."));
    line.raise(QStringLiteral("log"), QStringLiteral("读数记录文件无法写入"));
    for (int i = 0; i < 10; ++i)
        line.show(QStringLiteral("连接温度控制器成功！"));
    EXPECT_EQ(line.text(), QStringLiteral("读数记录文件无法写入"));
    line.raise(QStringLiteral("sound"), QStringLiteral("报警音无法播放：A"));
    line.raise(QStringLiteral("sound"), QStringLiteral("报警音无法播放：B"));
    EXPECT_EQ(line.text(), QStringLiteral("读数记录文件无法写入；报警音无法播放：B"))
        << "oldest first, reworded in place";
    line.clear(QStringLiteral("log"));
    line.clear(QStringLiteral("sound"));
    line.clear(QStringLiteral("never raised"));
    EXPECT_EQ(line.text(), QStringLiteral("连接温度控制器成功！"));
    EXPECT_EQ(shown,
        QStringList({ "已连接...", "读数记录文件无法写入", "读数记录文件无法写入；报警音无法播放：A",
            "读数记录文件无法写入；报警音无法播放：B", "报警音无法播放：B", "连接温度控制器成功！" }))
        << "each change told once";
}

} // namespace
