#pragma once
// The login window shown at start-up; it stays alive, hidden, for the whole run.
#include "Operators.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

class TUserlogyfForm1 : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { Pending, Accepted, Abandoned, FailedThreeTimes };

    explicit TUserlogyfForm1(QWidget *parent = nullptr);

    // How the last showing ended; exec() answers Accepted only for Outcome::Accepted.
    Outcome outcome() const { return outcome_; }

    QComboBox *accountList() const { return accounts_; }
    QLineEdit *passwordField() const { return password_; }
    QPushButton *confirmButton() const { return confirm_; }
    QPushButton *exitButton() const { return exit_; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

public slots:
    void reject() override;

private:
    void confirmPressed();

    QComboBox *accounts_;
    QLineEdit *password_;
    QPushButton *confirm_;
    QPushButton *exit_;
    LoginAttempts attempts_;
    Outcome outcome_ = Outcome::Pending;
};
