#pragma once
// Operator maintenance: the list of operators and the edit area to add, change and delete.
#include "Operators.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

class TUserManageFrm : public QDialog {
    Q_OBJECT
public:
    explicit TUserManageFrm(QWidget *parent = nullptr);

    OperatorEditMode mode() const { return mode_; }

    QLineEdit *nameField() const { return name_; }
    QLineEdit *accountField() const { return account_; }
    QLineEdit *passwordField() const { return password_; }
    QLineEdit *confirmationField() const { return confirmation_; }
    QComboBox *statusList() const { return status_; }
    QComboBox *typeList() const { return type_; }
    QWidget *editArea() const { return editArea_; }
    QPushButton *addButton() const { return add_; }
    QPushButton *changeButton() const { return change_; }
    QPushButton *deleteButton() const { return delete_; }
    QPushButton *saveButton() const { return save_; }
    QPushButton *cancelButton() const { return cancel_; }
    QPushButton *backButton() const { return back_; }
    QTableWidget *list() const { return list_; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadList();
    void copyCurrentRow();
    void clearTextFields();
    void setEditing(bool editing);
    void addPressed();
    void changePressed();
    void savePressed();
    void deletePressed();
    void cancelPressed();

    QWidget *editArea_;
    QLineEdit *name_;
    QLineEdit *account_;
    QLineEdit *password_;
    QLineEdit *confirmation_;
    QComboBox *status_;
    QComboBox *type_;
    QPushButton *add_;
    QPushButton *change_;
    QPushButton *delete_;
    QPushButton *save_;
    QPushButton *cancel_;
    QPushButton *back_;
    QTableWidget *list_;
    QList<OperatorRow> rows_;
    OperatorEditMode mode_ = OperatorEditMode::None;
};
