#include "app/SingleInstance.h"

#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

TEST(SingleInstance, ASecondStartRaisesTheFirst)
{
    const QString key = QStringLiteral("nutrition-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    EXPECT_FALSE(first.signalRunningInstance());  // nobody runs yet
    int raised = 0;
    ASSERT_TRUE(first.listen([&] { ++raised; }));

    SingleInstance second(key);
    EXPECT_TRUE(second.signalRunningInstance());
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised == 1; }, 2000));

    EXPECT_NE(SingleInstance::keyFor(QStringLiteral("/a")), SingleInstance::keyFor(QStringLiteral("/b")));
}
