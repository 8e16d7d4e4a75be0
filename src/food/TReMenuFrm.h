#pragma once
// "推荐食谱": the picture of one age group's recommended menu, and its print.
#include "FoodWindowParts.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

class TReMenuFrm : public QDialog {
    Q_OBJECT
public:
    explicit TReMenuFrm(QWidget *parent = nullptr);

    AgeGroupChoice *ageGroups() const { return groups_; }
    QPushButton *browseButton() const { return browse_; }
    QPushButton *printButton() const { return print_; }
    QPushButton *returnButton() const { return return_; }
    QLabel *picture() const { return picture_; }
    // The file of the picture on show (empty before the first).
    QString pictureFile() const { return shown_; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void browse();
    void printMenu();

    AgeGroupChoice *groups_;
    QPushButton *browse_, *print_, *return_;
    QScrollArea *area_;
    QLabel *picture_;
    QString shown_;
};
