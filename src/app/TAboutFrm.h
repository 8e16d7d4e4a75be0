#pragma once
#include <QDialog>

// The about box: the program's name, version and contact line.
class TAboutFrm : public QDialog {
public:
    explicit TAboutFrm(QWidget *parent = nullptr);
};
