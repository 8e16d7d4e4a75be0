#pragma once
// The logged-in operator changes his password.
#include <QDialog>

class QLineEdit;
class QPushButton;

class TChgPwdFrm : public QDialog {
    Q_OBJECT
public:
    explicit TChgPwdFrm(QWidget *parent = nullptr);

    QLineEdit *oldPasswordField() const { return old_; }
    QLineEdit *newPasswordField() const { return new_; }
    QLineEdit *confirmationField() const { return again_; }
    QPushButton *okButton() const { return ok_; }
    QPushButton *cancelButton() const { return cancel_; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *old_;
    QLineEdit *new_;
    QLineEdit *again_;
    QPushButton *ok_;
    QPushButton *cancel_;
};
