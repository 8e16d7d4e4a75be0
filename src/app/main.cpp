#include "RealContext.h"
#include "StartUp.h"

#include <QApplication>
#include <QFont>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));
    QApplication::setApplicationName(QStringLiteral("儿童营养分析"));
    const QString programDir = QApplication::applicationDirPath();
    InstallRealContext(programDir);
    Program program(programDir);
    return program.run();
}
