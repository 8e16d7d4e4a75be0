#pragma once
#include <QLabel>

// The borderless start picture, 446 × 290, centred.
class SplashWindow : public QLabel {
public:
    explicit SplashWindow(QWidget *parent = nullptr);
};
