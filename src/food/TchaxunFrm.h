#pragma once
// "营养素查询": the foods whose content of one nutrient per 100 g meets a condition.
#include "FoodWindowParts.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class ListGrid;
class RecordNavigator;
class RowsModel;

class TchaxunFrm : public QDialog {
    Q_OBJECT
public:
    explicit TchaxunFrm(QWidget *parent = nullptr);

    QComboBox *nutrientList() const { return nutrient_; }
    QComboBox *conditionList() const { return condition_; }
    QLineEdit *valueBox() const { return value_; }
    QLabel *unitLabel() const { return unit_; }
    QPushButton *searchButton() const { return search_; }
    ListGrid *grid() const { return grid_; }
    RowsModel *model() const { return model_; }
    const RecordBar &recordBar() const { return bar_; }
    QToolButton *printButton() const { return print_; }

    // The kept choices: column, comparison sign.
    QString column() const { return column_; }
    QString sign() const { return sign_; }

    // The columns of the result list, in list order.
    static QStringList listFields();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void search();
    void printPressed();

    QComboBox *nutrient_, *condition_;
    QLineEdit *value_;
    QLabel *unit_;
    QPushButton *search_, *back_;
    ListGrid *grid_;
    RowsModel *model_;
    RecordBar bar_;
    QToolButton *print_;
    RecordNavigator *navigator_;
    QString column_, sign_;
};
