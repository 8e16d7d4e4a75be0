#pragma once
// "食物基本信息维护": the food list with its search, and the details page on which foods
// are added, changed and deleted.
#include "FoodEditing.h"
#include "FoodSearch.h"
#include "FoodWindowParts.h"

#include <QDialog>
#include <QHash>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class ListGrid;
class RecordNavigator;
class RowsModel;

class TmainenanceFrm : public QDialog {
    Q_OBJECT
public:
    enum class EditMode { Browse, Adding, Changing };

    explicit TmainenanceFrm(QWidget *parent = nullptr);
    ~TmainenanceFrm() override;

    QTabWidget *pages() const { return pages_; }
    QLineEdit *numberBox() const { return number_; }
    QLineEdit *nameBox() const { return name_; }
    QComboBox *categoryList() const { return category_; }
    QCheckBox *fuzzyBox() const { return fuzzy_; }
    QPushButton *searchButton() const { return search_; }
    ListGrid *grid() const { return grid_; }
    RowsModel *model() const { return model_; }
    const RecordBar &recordBar() const { return bar_; }
    QToolButton *printButton() const { return print_; }

    // The details page's field of a FoodNutrition column.
    QLineEdit *field(const QString &column) const { return fields_.value(column); }
    QPushButton *addButton() const { return add_; }
    QPushButton *changeButton() const { return change_; }
    QPushButton *saveButton() const { return save_; }
    QPushButton *deleteButton() const { return delete_; }
    QPushButton *cancelButton() const { return cancel_; }
    QPushButton *returnButton() const { return return_; }

    QMenu *popupMenu() const { return popup_; }
    QAction *popupChange() const { return popupChange_; }
    QAction *popupDelete() const { return popupDelete_; }
    QAction *popupRefresh() const { return popupRefresh_; }
    // Sets the enabled states of the pop-up items from the selection.
    void preparePopup();

    EditMode mode() const { return mode_; }
    const FoodSearchPatterns &patterns() const { return patterns_; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    QWidget *buildSearchPage();
    QWidget *buildDetailsPage();
    void search();
    void reloadAll();
    void showRow(int row);
    void setEditing(bool editing);
    FoodTexts typedTexts() const;
    QString currentFoodId() const;
    void nameEdited();
    void addPressed();
    void changePressed();
    void savePressed();
    void cancelPressed();
    void deletePressed();
    void deleteSelected();
    void printPressed();
    // Asks about foods still used by menus or consumption records; false means keep them.
    bool confirmUsedFoods(const QStringList &ids);

    QTabWidget *pages_;
    QLineEdit *number_, *name_;
    QComboBox *category_;
    QCheckBox *fuzzy_;
    QPushButton *search_, *back_;
    ListGrid *grid_;
    RowsModel *model_;
    RecordBar bar_;
    QToolButton *print_;
    RecordNavigator *navigator_;
    QHash<QString, QLineEdit *> fields_;
    QPushButton *add_, *change_, *save_, *delete_, *cancel_, *return_;
    QMenu *popup_;
    QAction *popupChange_, *popupDelete_, *popupRefresh_;

    FoodSearchPatterns patterns_;
    EditMode mode_ = EditMode::Browse;
    QString originalId_;
    QString autoSpell_;
};
