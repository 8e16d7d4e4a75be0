#include "DesktopOpener.h"

#include <QObject>
#include <QProcess>
#include <stdexcept>

DesktopOpener::DesktopOpener(QString program, int waitMs) : program_(std::move(program)), waitMs_(waitMs) {}

void DesktopOpener::open(const QString &path)
{
    // Deliberately unparented: a launcher that stays in the foreground with the
    // application it started must outlive this call and the program.
    auto *process = new QProcess;
    process->setProgram(program_);
    process->setArguments({path});
    process->setStandardOutputFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        const QString reason = process->errorString();
        delete process;
        throw std::runtime_error(QStringLiteral("无法启动 %1：%2").arg(program_, reason).toStdString());
    }
    if (!process->waitForFinished(waitMs_)) {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return;
    }
    const QString message = QString::fromLocal8Bit(process->readAllStandardError()).trimmed();
    const bool failed = process->exitStatus() != QProcess::NormalExit || process->exitCode() != 0;
    const int code = process->exitCode();
    delete process;
    if (!failed)
        return;
    if (!message.isEmpty())
        throw std::runtime_error(message.toStdString());
    throw std::runtime_error(
        QStringLiteral("%1 无法打开文件 %2（错误码 %3）").arg(program_, path).arg(code).toStdString());
}
