#include "output/DesktopOpener.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A launcher stand-in: a shell script with the given body.
QString script(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n" + body + "\n");
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

std::string failureOf(DesktopOpener &opener, const QString &path)
{
    try {
        opener.open(path);
    } catch (const std::runtime_error &e) {
        return e.what();
    }
    return "(no failure)";
}

TEST(DesktopOpener, ReportsTheLaunchersOwnMessageWhenItFails)
{
    QTemporaryDir dir;
    DesktopOpener opener(script(dir, "open", "echo \"xdg-open: no method available for opening '$1'\" >&2; exit 3"));
    EXPECT_EQ(failureOf(opener, "/tmp/a b.xlsx"), "xdg-open: no method available for opening '/tmp/a b.xlsx'");
}

TEST(DesktopOpener, ASilentFailureStillNamesTheFileAndTheExitCode)
{
    QTemporaryDir dir;
    DesktopOpener opener(script(dir, "open", "exit 4"));
    const std::string message = failureOf(opener, "/tmp/x.docx");
    EXPECT_NE(message.find("/tmp/x.docx"), std::string::npos) << message;
    EXPECT_NE(message.find('4'), std::string::npos) << message;
}

TEST(DesktopOpener, AMissingLauncherIsAnError)
{
    DesktopOpener opener("/nonexistent/xdg-open");
    const std::string message = failureOf(opener, "/tmp/x.xlsx");
    EXPECT_NE(message.find("/nonexistent/xdg-open"), std::string::npos) << message;
}

TEST(DesktopOpener, PassesThePathAndReturnsOnSuccess)
{
    QTemporaryDir dir;
    const QString seen = dir.filePath("seen");
    DesktopOpener opener(script(dir, "open", "printf '%s' \"$1\" > '" + seen.toUtf8() + "'"));
    EXPECT_NO_THROW(opener.open("/tmp/幼儿 信息.xlsx"));
    QFile f(seen);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()), "/tmp/幼儿 信息.xlsx");
}

TEST(DesktopOpener, DoesNotWaitForALauncherThatKeepsRunning)
{
    QTemporaryDir dir;
    DesktopOpener opener(script(dir, "open", "sleep 5"), 200);
    QElapsedTimer timer;
    timer.start();
    EXPECT_NO_THROW(opener.open("/tmp/x.xlsx"));
    EXPECT_LT(timer.elapsed(), 3000);
}

}  // namespace
