#pragma once
// "基本信息维护": the register's query page with its list, and the detail page to view one
// child with photo, add, change and delete children. Controls carry object names
// (queryButton, grid, numberEdit, ...) by which tests reach them.
#include "ChildRegister.h"
#include "output/ReportTemplate.h"

#include <QDialog>

class ListGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class RecordNavigator;
class RowsModel;

class TStudentInfoFrm : public QDialog {
    Q_OBJECT
public:
    explicit TStudentInfoFrm(QWidget *parent = nullptr);
    ~TStudentInfoFrm() override;

    RowsModel *model() const { return model_; }
    ListGrid *grid() const { return grid_; }
    EditState editState() const { return state_; }
    // The context menu's actions 修改, 删除, 刷新 with their enabled states brought up to
    // date for the present selection (the menu does this itself before it opens).
    QList<QAction *> contextActions();

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void buildQueryPage(QWidget *page);
    void buildDetailPage(QWidget *page);
    void pageChanged(int index);

    void queryClick();
    void runQuery();
    void printClick();
    void exportClick();
    void showContextMenu(const QPoint &pos);
    void updateContextActions();
    void contextModifyClick();
    void contextDeleteClick();

    void addClick();
    void modifyClick();
    void saveClick();
    void deleteClick();
    void cancelClick();
    void loadPhotoClick();
    void numberEdited();

    void setState(EditState state);
    void showCurrentChild();
    void showRecord(const ChildRecord &record, const QByteArray &photo);
    void showPhoto(const QByteArray &jpeg);
    ChildRecord recordFromControls() const;
    void focusField(ChildField field);
    void cancelWith(const QString &message);
    void reloadInKindergarten();

    // query page
    QTabWidget *pages_;
    QRadioButton *inKindergarten_, *left_;
    QCheckBox *birthRange_, *male_, *female_;
    QDateEdit *birthFrom_, *birthTo_;
    QLineEdit *nameFilter_;
    QComboBox *classFilter_;
    RowsModel *model_;
    ListGrid *grid_;
    RecordNavigator *navigator_;
    QMenu *contextMenu_;
    QAction *modifyAction_, *deleteAction_, *refreshAction_;

    // detail page
    QLineEdit *number_, *name_, *father_, *mother_, *fatherWork_, *motherWork_, *origin_, *phone_, *address_;
    QComboBox *class_;
    QRadioButton *boy_, *girl_;
    QDateEdit *birthDate_, *entryDate_;
    QPlainTextEdit *remarks_;
    QLabel *photo_;
    QPushButton *loadPhoto_;
    QToolButton *add_, *modify_, *save_, *delete_, *cancel_, *return_;

    EditState state_ = EditState::Browsing;
    ChildRecord shown_;           // the child on the detail page as stored
    QByteArray pendingPhoto_;     // loaded by 载入照片 during the editing
    bool photoLoaded_ = false;
    bool fromInitialised_ = false;
    ReportTemplate report_;
};
