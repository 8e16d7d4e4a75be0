#pragma once
// The food picker: searches the food table by initials or name and category on every
// key stroke; sorts by any nutrient. PickedFoodId and PickedFoodName hold the choice
// (both empty when nothing was chosen) until the picker is shown again.
#include "FoodSearch.h"
#include "FoodWindowParts.h"
#include "data/AppContext.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class ListGrid;
class RecordNavigator;
class RowsModel;

class TSelectFoodFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSelectFoodFrm(QWidget *parent = nullptr);

    QString PickedFoodId;
    QString PickedFoodName;

    QLineEdit *searchBox() const { return text_; }
    QCheckBox *fuzzyBox() const { return fuzzy_; }
    QComboBox *categoryList() const { return category_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }
    ListGrid *grid() const { return grid_; }
    RowsModel *model() const { return model_; }
    const RecordBar &recordBar() const { return bar_; }

    // The columns of the result list, in list order.
    static QStringList listFields();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void loadFoods();
    void search();
    void okPressed();
    void rowActivated(int row);

    QLineEdit *text_;
    QCheckBox *fuzzy_;
    QComboBox *category_;
    QPushButton *ok_, *cancel_;
    ListGrid *grid_;
    RowsModel *model_;
    RecordBar bar_;
    RecordNavigator *navigator_;
    FoodFilter foods_;
    bool loaded_ = false;
};

// The program's food picker: shows a TSelectFoodFrm modally over the parent.
class SelectFoodPicker : public IFoodPicker {
public:
    PickedFood pick(QWidget *parent) override;
};
