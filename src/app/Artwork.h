#pragma once
// The program's own pictures, drawn in code: the splash picture and the main window's background.
#include <QPixmap>
#include <QString>

// 432 × 286, with the program's name and a line below it.
QPixmap SplashPicture(const QString &subtitle = QStringLiteral("V9.5   正在启动，请稍候……"));
QPixmap BackgroundPicture();  // any size; shown stretched
