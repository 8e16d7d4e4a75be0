#pragma once
// "食谱模板": the foods and daily amounts per child of one age group's model menu.
#include "FoodWindowParts.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;
class ListGrid;
class RecordNavigator;
class RowsModel;

class TTemplateFrm : public QDialog {
    Q_OBJECT
public:
    explicit TTemplateFrm(QWidget *parent = nullptr);

    AgeGroupChoice *ageGroups() const { return groups_; }
    QPushButton *browseButton() const { return browse_; }
    QPushButton *printButton() const { return print_; }
    QPushButton *returnButton() const { return return_; }
    QLabel *statusLine() const { return status_; }
    ListGrid *grid() const { return grid_; }
    RowsModel *model() const { return model_; }
    const RecordBar &recordBar() const { return bar_; }
    QToolButton *toolPrintButton() const { return toolPrint_; }
    QToolButton *sheetButton() const { return sheet_; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void browse();
    void printList();
    void exportList();
    void setPrintEnabled(bool enabled);

    AgeGroupChoice *groups_;
    QPushButton *browse_, *print_, *return_;
    QLabel *status_;
    ListGrid *grid_;
    RowsModel *model_;
    RecordBar bar_;
    QToolButton *toolPrint_, *sheet_;
    RecordNavigator *navigator_;
};
