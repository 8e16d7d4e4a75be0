#include "SplashWindow.h"

#include "Artwork.h"

#include <QGuiApplication>
#include <QScreen>

SplashWindow::SplashWindow(QWidget *parent) : QLabel(parent)
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(446, 290);
    setAlignment(Qt::AlignCenter);
    setPixmap(SplashPicture());
    setStyleSheet(QStringLiteral("background: #fffbe8;"));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}
