#include "TStudentInfoFrm.h"

#include "ChildPhoto.h"
#include "ClassCategories.h"
#include "data/AppContext.h"
#include "data/Guard.h"
#include "data/Messages.h"
#include "output/ListGrid.h"
#include "output/OutputChecks.h"
#include "output/RecordNavigator.h"
#include "output/RowsModel.h"
#include "output/TExcelObject.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const char *kLongDate = "yyyy年M月d日";
const QDate kNoDate(1900, 1, 1);  // shown blank: the child's date is empty
const QSize kPhotoBox(150, 190);

// Refuses any text holding one of the characters the name fields do not take.
class NameCharacters : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        for (const QChar c : input)
            if (IsRefusedNameCharacter(c))
                return Invalid;
        return Acceptable;
    }
};

QLineEdit *lineEdit(const char *name, int maxLength, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(name));
    e->setMaxLength(maxLength);
    return e;
}

QDateEdit *dateEdit(const char *name, QWidget *parent)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QString::fromUtf8(name));
    d->setDisplayFormat(QString::fromUtf8(kLongDate));
    d->setCalendarPopup(true);
    return d;
}

QToolButton *toolButton(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setText(text);
    b->setObjectName(QString::fromUtf8(name));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setMinimumWidth(56);
    return b;
}

// Shows a class in a drop-down list; a stored text outside the list is added to it.
void showClass(QComboBox *box, const QString &text)
{
    int i = box->findText(text);
    if (i < 0) {
        box->addItem(text);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}

QDate shownDate(const QDateEdit *edit)
{
    return edit->date() == kNoDate ? QDate() : edit->date();
}

}  // namespace

TStudentInfoFrm::TStudentInfoFrm(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("基本信息维护"));
    resize(1000, 640);
    pages_ = new QTabWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    auto *queryPage = new QWidget;
    auto *detailPage = new QWidget;
    buildQueryPage(queryPage);
    buildDetailPage(detailPage);
    pages_->addTab(queryPage, QStringLiteral("查询"));
    pages_->addTab(detailPage, QStringLiteral("明细与编辑"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(pages_);
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) { RunGuarded([=, this] { pageChanged(index); }); });
    setState(EditState::Browsing);
}

TStudentInfoFrm::~TStudentInfoFrm() = default;

void TStudentInfoFrm::buildQueryPage(QWidget *page)
{
    auto *statusBox = new QGroupBox(page);
    inKindergarten_ = new QRadioButton(QStringLiteral("现在园"), statusBox);
    inKindergarten_->setObjectName(QStringLiteral("inKindergarten"));
    left_ = new QRadioButton(QStringLiteral("已离园"), statusBox);
    left_->setObjectName(QStringLiteral("left"));
    inKindergarten_->setChecked(true);
    auto *statusLayout = new QHBoxLayout(statusBox);
    statusLayout->addWidget(inKindergarten_);
    statusLayout->addWidget(left_);

    auto *birthBox = new QGroupBox(page);
    birthRange_ = new QCheckBox(QStringLiteral("选择出生年月"), birthBox);
    birthRange_->setObjectName(QStringLiteral("birthRange"));
    birthFrom_ = dateEdit("birthFrom", birthBox);
    birthTo_ = dateEdit("birthTo", birthBox);
    auto *fromLabel = new QLabel(QStringLiteral("从"), birthBox);
    auto *toLabel = new QLabel(QStringLiteral("到"), birthBox);
    auto *birthLayout = new QHBoxLayout(birthBox);
    birthLayout->addWidget(birthRange_);
    birthLayout->addWidget(fromLabel);
    birthLayout->addWidget(birthFrom_);
    birthLayout->addWidget(toLabel);
    birthLayout->addWidget(birthTo_);
    auto enableRange = [this, fromLabel, toLabel](bool on) {
        for (QWidget *w : {static_cast<QWidget *>(birthFrom_), static_cast<QWidget *>(birthTo_),
                           static_cast<QWidget *>(fromLabel), static_cast<QWidget *>(toLabel)})
            w->setEnabled(on);
    };
    enableRange(false);
    connect(birthRange_, &QCheckBox::toggled, this, enableRange);

    auto *sexBox = new QGroupBox(QStringLiteral("性别"), page);
    male_ = new QCheckBox(QStringLiteral("男"), sexBox);
    male_->setObjectName(QStringLiteral("male"));
    female_ = new QCheckBox(QStringLiteral("女"), sexBox);
    female_->setObjectName(QStringLiteral("female"));
    male_->setChecked(true);
    female_->setChecked(true);
    auto *sexLayout = new QHBoxLayout(sexBox);
    sexLayout->addWidget(male_);
    sexLayout->addWidget(female_);
    // At least one sex stays checked: unchecking one checks the other.
    connect(male_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            female_->setChecked(true);
    });
    connect(female_, &QCheckBox::toggled, this, [this](bool on) {
        if (!on)
            male_->setChecked(true);
    });

    nameFilter_ = lineEdit("nameFilter", 16, page);
    classFilter_ = new QComboBox(page);
    classFilter_->setObjectName(QStringLiteral("classFilter"));
    classFilter_->addItem(kAllClassesChoice);
    classFilter_->addItems(ClassCategories::All());
    classFilter_->setMaxVisibleItems(20);
    auto *query = new QPushButton(QStringLiteral("查询(&Q)"), page);
    query->setObjectName(QStringLiteral("queryButton"));
    auto *back = new QPushButton(QStringLiteral("返回(&B)"), page);
    back->setObjectName(QStringLiteral("backButton"));
    connect(query, &QPushButton::clicked, this, guarded([this] { queryClick(); }));
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(new QLabel(QStringLiteral("姓名"), page));
    filterRow->addWidget(nameFilter_);
    filterRow->addSpacing(12);
    filterRow->addWidget(new QLabel(QStringLiteral("班级类别"), page));
    filterRow->addWidget(classFilter_);
    filterRow->addStretch();
    filterRow->addWidget(query);
    filterRow->addWidget(back);

    auto *topRow = new QHBoxLayout;
    topRow->addWidget(statusBox);
    topRow->addWidget(birthBox);
    topRow->addWidget(sexBox);
    topRow->addStretch();

    auto w = [](const char *field, RowsModel::Kind kind, int width) {
        const QString f = QString::fromUtf8(field);
        return RowsModel::Column{f, f, kind, width, {}};
    };
    using K = RowsModel::Kind;
    model_ = new RowsModel(this);
    model_->setColumns({w("编号", K::Text, 60), w("幼儿姓名", K::Text, 80), w("班级类别", K::Text, 70),
                        w("性别", K::Text, 44), w("父亲姓名", K::Text, 80), w("母亲姓名", K::Text, 80),
                        w("父亲工作单位", K::Text, 130), w("母亲工作单位", K::Text, 130),
                        w("家庭住址", K::Text, 170), w("籍贯", K::Text, 70), w("联系电话", K::Text, 110),
                        w("状态", K::Integer, 44), w("备注", K::Text, 130), w("出生年月", K::Date, 90),
                        w("入园日期", K::Date, 90), w("离园日期", K::Date, 90)});
    grid_ = new ListGrid(page);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setRowsModel(model_);
    grid_->setFrozenColumns(2);
    grid_->verticalHeader()->hide();
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { RunGuarded([=, this] { showContextMenu(pos); }); });
    connect(grid_, &ListGrid::rowActivated, this, [this](int) { pages_->setCurrentIndex(1); });
    connect(grid_, &ListGrid::currentRowChanged, this, [this](int) {
        if (state_ == EditState::Browsing)
            RunGuarded([this] { showCurrentChild(); });
    });

    auto *first = toolButton(QStringLiteral("首笔"), "firstButton", page);
    auto *prior = toolButton(QStringLiteral("前笔"), "priorButton", page);
    auto *next = toolButton(QStringLiteral("后笔"), "nextButton", page);
    auto *last = toolButton(QStringLiteral("末笔"), "lastButton", page);
    auto *print = toolButton(QStringLiteral("打印"), "printButton", page);
    auto *exportButton = toolButton(QStringLiteral("表格"), "exportButton", page);
    navigator_ = new RecordNavigator(grid_, first, prior, next, last, this);
    connect(print, &QToolButton::clicked, this, guarded([this] { printClick(); }));
    connect(exportButton, &QToolButton::clicked, this, guarded([this] { exportClick(); }));
    auto *tools = new QHBoxLayout;
    for (QToolButton *b : {first, prior, next, last})
        tools->addWidget(b);
    tools->addSpacing(16);
    tools->addWidget(print);
    tools->addWidget(exportButton);
    tools->addStretch();

    contextMenu_ = new QMenu(this);
    modifyAction_ = contextMenu_->addAction(QStringLiteral("修改"));
    deleteAction_ = contextMenu_->addAction(QStringLiteral("删除"));
    refreshAction_ = contextMenu_->addAction(QStringLiteral("刷新"));
    connect(modifyAction_, &QAction::triggered, this, guarded([this] { contextModifyClick(); }));
    connect(deleteAction_, &QAction::triggered, this, guarded([this] { contextDeleteClick(); }));
    connect(refreshAction_, &QAction::triggered, this, guarded([this] { runQuery(); }));

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(topRow);
    layout->addLayout(filterRow);
    layout->addWidget(grid_, 1);
    layout->addLayout(tools);
}

void TStudentInfoFrm::buildDetailPage(QWidget *page)
{
    add_ = toolButton(QStringLiteral("增加"), "addButton", page);
    modify_ = toolButton(QStringLiteral("修改"), "modifyButton", page);
    save_ = toolButton(QStringLiteral(" 保存"), "saveButton", page);
    delete_ = toolButton(QStringLiteral("删除"), "deleteButton", page);
    cancel_ = toolButton(QStringLiteral("取消"), "cancelButton", page);
    return_ = toolButton(QStringLiteral("返回"), "returnButton", page);
    connect(add_, &QToolButton::clicked, this, guarded([this] { addClick(); }));
    connect(modify_, &QToolButton::clicked, this, guarded([this] { modifyClick(); }));
    connect(save_, &QToolButton::clicked, this, guarded([this] { saveClick(); }));
    connect(delete_, &QToolButton::clicked, this, guarded([this] { deleteClick(); }));
    connect(cancel_, &QToolButton::clicked, this, guarded([this] { cancelClick(); }));
    connect(return_, &QToolButton::clicked, this, &QDialog::reject);
    auto *tools = new QHBoxLayout;
    for (QToolButton *b : {add_, modify_, save_, delete_, cancel_, return_})
        tools->addWidget(b);
    tools->addStretch();

    number_ = lineEdit("numberEdit", 4, page);
    number_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), number_));
    connect(number_, &QLineEdit::editingFinished, this, guarded([this] { numberEdited(); }));
    name_ = lineEdit("nameEdit", 16, page);
    father_ = lineEdit("fatherEdit", 10, page);
    mother_ = lineEdit("motherEdit", 10, page);
    fatherWork_ = lineEdit("fatherWorkEdit", 50, page);
    motherWork_ = lineEdit("motherWorkEdit", 50, page);
    origin_ = lineEdit("originEdit", 40, page);
    phone_ = lineEdit("phoneEdit", 30, page);
    address_ = lineEdit("addressEdit", 50, page);
    auto *nameRule = new NameCharacters(this);
    for (QLineEdit *e : {name_, father_, mother_, fatherWork_, motherWork_, origin_, address_})
        e->setValidator(nameRule);

    class_ = new QComboBox(page);
    class_->setObjectName(QStringLiteral("classEdit"));
    class_->setMaxVisibleItems(20);
    boy_ = new QRadioButton(QStringLiteral("男"), page);
    boy_->setObjectName(QStringLiteral("boy"));
    girl_ = new QRadioButton(QStringLiteral("女"), page);
    girl_->setObjectName(QStringLiteral("girl"));
    auto *sexGroup = new QButtonGroup(this);
    sexGroup->addButton(boy_);
    sexGroup->addButton(girl_);
    auto *sexRow = new QHBoxLayout;
    sexRow->addWidget(boy_);
    sexRow->addWidget(girl_);
    sexRow->addStretch();
    birthDate_ = dateEdit("birthDateEdit", page);
    entryDate_ = dateEdit("entryDateEdit", page);
    for (QDateEdit *d : {birthDate_, entryDate_}) {
        d->setMinimumDate(kNoDate);
        d->setSpecialValueText(QStringLiteral(" "));
    }
    remarks_ = new QPlainTextEdit(page);
    remarks_->setObjectName(QStringLiteral("remarksEdit"));
    remarks_->setTabChangesFocus(true);

    photo_ = new QLabel(page);
    photo_->setObjectName(QStringLiteral("photoBox"));
    photo_->setFixedSize(kPhotoBox);
    photo_->setFrameShape(QFrame::Box);
    photo_->setAlignment(Qt::AlignCenter);
    loadPhoto_ = new QPushButton(QStringLiteral("载入照片"), page);
    loadPhoto_->setObjectName(QStringLiteral("loadPhotoButton"));
    connect(loadPhoto_, &QPushButton::clicked, this, guarded([this] { loadPhotoClick(); }));

    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(10);
    auto label = [&](const char *text, int row, int column) {
        fields->addWidget(new QLabel(QString::fromUtf8(text), page), row, column, Qt::AlignRight | Qt::AlignVCenter);
    };
    label("幼 儿 编 号 ：", 0, 0);
    fields->addWidget(number_, 0, 1);
    label("班 级 类 别 ：", 0, 2);
    fields->addWidget(class_, 0, 3);
    label("幼 儿 姓 名 ：", 1, 0);
    fields->addWidget(name_, 1, 1);
    label("性       别 ：", 1, 2);
    fields->addLayout(sexRow, 1, 3);
    label("出 生 年 月 ：", 2, 0);
    fields->addWidget(birthDate_, 2, 1);
    label("入 园 日 期 ：", 2, 2);
    fields->addWidget(entryDate_, 2, 3);
    label("父 亲 姓 名 ：", 3, 0);
    fields->addWidget(father_, 3, 1);
    label("母 亲 姓 名 ：", 3, 2);
    fields->addWidget(mother_, 3, 3);
    label("父亲工作单位：", 4, 0);
    fields->addWidget(fatherWork_, 4, 1);
    label("母亲工作单位：", 4, 2);
    fields->addWidget(motherWork_, 4, 3);
    label("籍       贯 ：", 5, 0);
    fields->addWidget(origin_, 5, 1);
    label("联 系 电 话 ：", 5, 2);
    fields->addWidget(phone_, 5, 3);
    label("家 庭 住 址 ：", 6, 0);
    fields->addWidget(address_, 6, 1, 1, 3);
    label("备       注 ：", 7, 0);
    fields->itemAtPosition(7, 0)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    fields->addWidget(remarks_, 7, 1, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 1);
    fields->setRowStretch(7, 1);

    auto *photoColumn = new QVBoxLayout;
    photoColumn->addWidget(photo_);
    photoColumn->addWidget(loadPhoto_);
    photoColumn->addStretch();

    auto *body = new QHBoxLayout;
    body->addLayout(fields, 1);
    body->addSpacing(16);
    body->addLayout(photoColumn);

    auto *layout = new QVBoxLayout(page);
    layout->addLayout(tools);
    layout->addLayout(body, 1);
}

QList<QAction *> TStudentInfoFrm::contextActions()
{
    updateContextActions();
    return {modifyAction_, deleteAction_, refreshAction_};
}

void TStudentInfoFrm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    RunGuarded([this] {
        ResetPromotedChildren();
        if (!fromInitialised_) {
            birthFrom_->setDate(ctx().clock->today().addYears(-7));
            fromInitialised_ = true;
        }
        inKindergarten_->setChecked(true);
        nameFilter_->clear();
        if (pages_->currentIndex() != 0)
            pages_->setCurrentIndex(0);
        else
            pageChanged(0);
        runQuery();
    });
}

void TStudentInfoFrm::done(int result)
{
    setState(EditState::Browsing);
    model_->clear();
    QDialog::done(result);
}

void TStudentInfoFrm::pageChanged(int index)
{
    if (index == 0) {
        birthTo_->setDate(ctx().clock->today());
        classFilter_->setCurrentIndex(0);
        return;
    }
    // Showing the detail page always returns it to browsing.
    setState(EditState::Browsing);
    showCurrentChild();
}

void TStudentInfoFrm::queryClick()
{
    runQuery();
}

void TStudentInfoFrm::runQuery()
{
    RegisterFilter filter;
    filter.status = left_->isChecked() ? kStatusLeft : kStatusInKindergarten;
    filter.male = male_->isChecked();
    filter.female = female_->isChecked();
    filter.name = nameFilter_->text();
    filter.classChoice = classFilter_->currentText();
    filter.birthRange = birthRange_->isChecked();
    filter.birthFrom = birthFrom_->date();
    filter.birthTo = birthTo_->date();
    nameFilter_->setFocus();
    model_->setRows(RunRegisterQuery(filter));
}

void TStudentInfoFrm::printClick()
{
    CheckListForOutput(model_->queried(), model_->rowCount());
    report_.load(QStringLiteral("幼儿信息.frf"));
    report_.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
    report_.setBand(*model_);
    report_.preview(this, QStringLiteral("幼儿信息"));
}

void TStudentInfoFrm::exportClick()
{
    CheckListForOutput(model_->queried(), model_->rowCount());
    TExcelObject::ExportGrid(QStringLiteral("幼儿基本信息"), *grid_, model_->dateColumns());
}

void TStudentInfoFrm::updateContextActions()
{
    const int selected = grid_->selectionModel() ? int(grid_->selectionModel()->selectedRows().size()) : 0;
    const ContextMenuState s = ContextMenuStateFor(selected, model_->rowCount());
    modifyAction_->setEnabled(s.modify);
    deleteAction_->setEnabled(s.remove);
    refreshAction_->setEnabled(s.refresh);
}

void TStudentInfoFrm::showContextMenu(const QPoint &)
{
    updateContextActions();
    contextMenu_->exec(QCursor::pos());
}

void TStudentInfoFrm::contextModifyClick()
{
    pages_->setCurrentIndex(1);
    modifyClick();
}

void TStudentInfoFrm::contextDeleteClick()
{
    if (model_->rowCount() == 0)
        return;
    if (!AskYesNo(QStringLiteral("确认要注销所选中的项吗")))
        return;
    QList<qint64> iuks;
    for (int row : grid_->selectedRows())
        iuks << model_->value(row, QStringLiteral("iuk")).toLongLong();
    DeleteChildren(iuks);
    reloadInKindergarten();
}

void TStudentInfoFrm::reloadInKindergarten()
{
    model_->setRows(LoadChildrenInKindergarten());
}

void TStudentInfoFrm::addClick()
{
    const QDate today = ctx().clock->today();
    ChildRecord r;
    r.number = NextChildNumber();
    r.birthDate = today.addDays(-731);
    r.entryDate = today;
    shown_ = r;
    showRecord(r, QByteArray());
    setState(EditState::Adding);
    class_->setFocus();
}

void TStudentInfoFrm::modifyClick()
{
    if (shown_.iuk <= 0)
        StopWith(QStringLiteral("请先选择要修改的幼儿"));
    setState(EditState::Modifying);
    class_->setFocus();
}

void TStudentInfoFrm::saveClick()
{
    if (state_ == EditState::Browsing)
        return;
    const ChildRecord record = recordFromControls();
    if (const auto problem = FindSaveProblem(record, ctx().clock->today())) {
        focusField(problem->field);
        StopWith(problem->message);
    }
    if (state_ == EditState::Modifying && NumberTakenByOther(record.number, shown_.number))
        cancelWith(QStringLiteral("相同编号已存在!"));
    const qint64 iuk = SaveChild(record);

    // The list shows the stored row in place (a new child at the end).
    Rows rows = model_->rows();
    const Rows stored = LoadChildRow(iuk);
    if (rows.columns.isEmpty())
        rows.columns = stored.columns;
    const int at = model_->findRow(QStringLiteral("iuk"), iuk);
    if (!stored.empty()) {
        if (at >= 0)
            rows.values[at] = stored.values.first();
        else
            rows.values << stored.values.first();
    }
    setState(EditState::Browsing);
    model_->setRows(std::move(rows));
    grid_->setCurrentRow(model_->findRow(QStringLiteral("iuk"), iuk));
    showCurrentChild();
}

void TStudentInfoFrm::deleteClick()
{
    if (shown_.iuk <= 0)
        StopWith(QStringLiteral("你的数据还未保存不用删除"));
    if (!AskYesNoFmt(QStringLiteral("您确认要删除名字为'%s'的资料吗"), {shown_.name}))
        return;
    DeleteChildren({shown_.iuk});
    reloadInKindergarten();
}

void TStudentInfoFrm::cancelClick()
{
    setState(EditState::Browsing);
    showCurrentChild();
}

void TStudentInfoFrm::loadPhotoClick()
{
    const QString path = ctx().files->openFile(this, QStringLiteral("载入照片"), QString(),
                                               QStringLiteral("图片 (*.jpg *.jpeg *.png)"));
    if (path.isEmpty())
        return;
    pendingPhoto_ = ReadPhotoFile(path);
    photoLoaded_ = true;
    showPhoto(pendingPhoto_);
}

void TStudentInfoFrm::numberEdited()
{
    if (state_ == EditState::Modifying && NumberTakenByOther(number_->text(), shown_.number))
        cancelWith(QStringLiteral("相同编号已存在!"));
}

void TStudentInfoFrm::cancelWith(const QString &message)
{
    setState(EditState::Browsing);
    showCurrentChild();
    StopWith(message);
}

void TStudentInfoFrm::setState(EditState state)
{
    state_ = state;
    const DetailButtons b = DetailButtonsFor(state);
    add_->setEnabled(b.add);
    modify_->setEnabled(b.modify);
    save_->setEnabled(b.save);
    delete_->setEnabled(b.remove);
    cancel_->setEnabled(b.cancel);
    return_->setEnabled(b.back);
    const bool editing = state != EditState::Browsing;
    for (QLineEdit *e : {name_, father_, mother_, fatherWork_, motherWork_, origin_, phone_, address_})
        e->setReadOnly(!editing);
    number_->setReadOnly(state != EditState::Modifying);
    remarks_->setReadOnly(!editing);
    birthDate_->setReadOnly(!editing);
    entryDate_->setReadOnly(!editing);
    for (QWidget *w : {static_cast<QWidget *>(class_), static_cast<QWidget *>(boy_), static_cast<QWidget *>(girl_),
                       static_cast<QWidget *>(loadPhoto_)})
        w->setEnabled(editing);
    if (!editing) {
        pendingPhoto_.clear();
        photoLoaded_ = false;
    }
}

void TStudentInfoFrm::showCurrentChild()
{
    const int row = grid_->currentRow();
    if (row < 0 || row >= model_->rowCount()) {
        shown_ = ChildRecord();
        shown_.sex.clear();
        showRecord(shown_, QByteArray());
        return;
    }
    shown_ = RecordFromRow(model_->rows(), row);
    showRecord(shown_, LoadChildPhotoBytes(shown_.iuk));
}

void TStudentInfoFrm::showRecord(const ChildRecord &r, const QByteArray &photo)
{
    number_->setMaxLength(std::max<int>(4, int(r.number.size())));
    number_->setText(r.number);
    class_->clear();
    class_->addItem(QString());
    class_->addItems(ClassCategories::All());
    showClass(class_, r.className);
    name_->setText(r.name);
    boy_->setChecked(r.sex != QStringLiteral("女"));
    girl_->setChecked(r.sex == QStringLiteral("女"));
    birthDate_->setDate(r.birthDate.isValid() ? r.birthDate : kNoDate);
    entryDate_->setDate(r.entryDate.isValid() ? r.entryDate : kNoDate);
    father_->setText(r.father);
    mother_->setText(r.mother);
    fatherWork_->setText(r.fatherWork);
    motherWork_->setText(r.motherWork);
    origin_->setText(r.origin);
    phone_->setText(r.phone);
    address_->setText(r.address);
    remarks_->setPlainText(r.remarks);
    showPhoto(photo);
}

void TStudentInfoFrm::showPhoto(const QByteArray &jpeg)
{
    const QImage image = DecodePhoto(jpeg);
    if (image.isNull()) {
        photo_->clear();
        return;
    }
    photo_->setPixmap(QPixmap::fromImage(
        image.scaled(kPhotoBox - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

ChildRecord TStudentInfoFrm::recordFromControls() const
{
    ChildRecord r;
    r.iuk = shown_.iuk;
    r.number = number_->text().trimmed();
    r.className = class_->currentText().trimmed();
    r.name = name_->text().trimmed();
    r.sex = girl_->isChecked() ? QStringLiteral("女") : QStringLiteral("男");
    r.birthDate = shownDate(birthDate_);
    r.entryDate = shownDate(entryDate_);
    r.father = father_->text();
    r.mother = mother_->text();
    r.fatherWork = fatherWork_->text();
    r.motherWork = motherWork_->text();
    r.origin = origin_->text();
    r.phone = phone_->text();
    r.address = address_->text();
    r.remarks = remarks_->toPlainText();
    r.photoLoaded = photoLoaded_;
    r.photo = pendingPhoto_;
    return r;
}

void TStudentInfoFrm::focusField(ChildField field)
{
    switch (field) {
    case ChildField::Number:
        number_->setFocus();
        break;
    case ChildField::Class:
        class_->setFocus();
        break;
    case ChildField::Name:
        name_->setFocus();
        break;
    case ChildField::BirthDate:
        birthDate_->setFocus();
        break;
    case ChildField::EntryDate:
        entryDate_->setFocus();
        break;
    }
}
