#pragma once
// "幼儿升班和转园": promotes one class or one child, promotes the whole kindergarten, or
// lets one child transfer to another kindergarten with an optional transfer note.
// Closing the window turns the promotion marks (status 3) back into 1.
#include "output/ReportTemplate.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TLeaveFrm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { PromoteSelection, PromoteAll, Transfer };

    explicit TLeaveFrm(QWidget *parent = nullptr);
    ~TLeaveFrm() override;

    Mode mode() const;

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void modeChanged();
    void okClick();
    void transfer();
    void printTransferNote(const QString &number);

    QRadioButton *selection_, *all_, *transfer_;
    QLabel *numberLabel_, *classLabel_, *kindergartenLabel_;
    QLineEdit *number_, *kindergarten_;
    QComboBox *class_;
    QPushButton *ok_, *back_;
    ReportTemplate report_;
};
