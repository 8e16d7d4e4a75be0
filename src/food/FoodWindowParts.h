#pragma once
// Pieces the food windows share: the record tool bar, the age-group choice and the
// category list.
#include <QGroupBox>
#include <QList>
#include <QString>

class QButtonGroup;
class QComboBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;
class ListGrid;

// "首笔", "前笔", "后笔", "末笔" and any further buttons in one row.
struct RecordBar {
    QWidget *widget = nullptr;  // holds the row; put it into the window's layout
    QHBoxLayout *layout = nullptr;
    QToolButton *first = nullptr, *prior = nullptr, *next = nullptr, *last = nullptr;
    QToolButton *add(const QString &text);
};
RecordBar MakeRecordBar(QWidget *parent);

// The 22 categories in their fixed order, "全部" last.
QComboBox *MakeCategoryList(QWidget *parent);


// Sorts the rows again by the column the title's sort mark names (after a new result).
void ReapplySort(ListGrid *grid);

// The ten age groups as buttons in five columns; exactly one is chosen.
class AgeGroupChoice : public QGroupBox {
    Q_OBJECT
public:
    explicit AgeGroupChoice(QWidget *parent = nullptr);
    int chosen() const;                 // -1 when none
    QString chosenName() const;         // empty when none
    void choose(int index);             // without the chosen signal
    QRadioButton *button(int index) const;

signals:
    void chosenByUser(int index);

private:
    QButtonGroup *group_;
};

// The age-group choice with "浏览", "打印" and "返回" beside it, as one row.
struct AgeGroupBar {
    AgeGroupChoice *groups = nullptr;
    QPushButton *browse = nullptr, *print = nullptr, *back = nullptr;
    QHBoxLayout *layout = nullptr;  // put it into the window's layout
};
AgeGroupBar MakeAgeGroupBar(QWidget *parent);
