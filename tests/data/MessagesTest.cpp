#include "data/Guard.h"
#include "data/Messages.h"
#include "support/FakeContext.h"

#include <gtest/gtest.h>

TEST(Messages, BoxesCarryTheirCaptionsAndKinds)
{
    FakeContext fake;
    fake.messages->answers = {true, false};
    EXPECT_TRUE(AskYesNo(QStringLiteral("a")));
    EXPECT_FALSE(AskYesNoFmt(QStringLiteral("您真的要删除操作员%s吗？"), {QStringLiteral("002")}));
    ShowInfoFmt(QStringLiteral("共%d条, %s"), {7, QStringLiteral("好")});
    ShowWarning(QStringLiteral("w"));
    ASSERT_EQ(fake.messages->boxes.size(), 4);
    EXPECT_EQ(fake.messages->boxes[1].text, QStringLiteral("您真的要删除操作员002吗？"));
    EXPECT_EQ(fake.messages->boxes[2].text, QStringLiteral("共7条, 好"));
    EXPECT_EQ(fake.messages->boxes[0].kind, BoxKind::Question);
    EXPECT_EQ(fake.messages->boxes[0].caption, QStringLiteral("提示"));
    EXPECT_EQ(fake.messages->boxes[2].kind, BoxKind::Information);
    EXPECT_EQ(fake.messages->boxes[3].caption, QStringLiteral("警告"));
}

TEST(Messages, GuardEndsAStopSilentlyAndShowsOtherErrors)
{
    FakeContext fake;
    bool after = false;
    RunGuarded([&] {
        StopWithFmt(QStringLiteral("%s不能为空"), {QStringLiteral("幼儿姓名")});
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(fake.messages->boxes.size(), 1);
    EXPECT_EQ(fake.messages->last(), QStringLiteral("幼儿姓名不能为空"));

    RunGuarded([] { throw std::runtime_error("no such table: x"); });
    ASSERT_EQ(fake.messages->boxes.size(), 2);
    EXPECT_EQ(fake.messages->boxes[1].kind, BoxKind::Error);
    EXPECT_EQ(fake.messages->boxes[1].caption, QStringLiteral("儿童营养分析"));
    EXPECT_EQ(fake.messages->boxes[1].text, QStringLiteral("no such table: x"));
}
