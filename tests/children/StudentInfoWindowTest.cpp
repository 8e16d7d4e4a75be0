#include "ChildrenFixture.h"

#include "children/ChildPhoto.h"
#include "children/TStudentInfoFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

// Types text into a widget key by key, as the operator would.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
    }
}

class RegisterWindow : public ChildrenDb {
protected:
    void SetUp() override
    {
        addAll({{"0001", "张三", "中班", "男", "2020-03-01"},
                {"0002", "李四", "中1", "女", "2020-05-01"},
                {"0003", "王五", "中10", "男", "2019-09-01"},
                {"0004", "赵六", "小3", "女", "2021-01-10"},
                {"0005", "钱七", "大2", "男", "2018-07-07", 2},
                {"0006", "孙八", "托班", "女", "2022-02-02", 3}});
        w = std::make_unique<TStudentInfoFrm>();
        w->show();
    }

    template <typename T>
    T *get(const char *name) { return part<T>(w.get(), name); }
    void click(const char *name) { get<QAbstractButton>(name)->click(); }
    QString text(const char *name) { return get<QLineEdit>(name)->text(); }

    QStringList listed() const
    {
        QStringList out;
        for (int r = 0; r < w->model()->rowCount(); ++r)
            out << w->model()->displayText(r, 0);
        return out;
    }
    void openDetail(int row)
    {
        ListGrid *grid = w->grid();
        grid->setCurrentRow(row);
        const QPointF at = grid->visualRect(grid->model()->index(row, 3)).center();
        QWidget *viewport = grid->viewport();
        const QPointF global = viewport->mapToGlobal(at);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
            QMouseEvent e(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &e);
        }
    }
    // enabled states of 增加 修改 保存 删除 取消 返回
    QString toolStates()
    {
        QString s;
        for (const char *n : {"addButton", "modifyButton", "saveButton", "deleteButton", "cancelButton", "returnButton"})
            s += get<QToolButton>(n)->isEnabled() ? u'1' : u'0';
        return s;
    }
    QString photoJpeg(QSize size)
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = files.filePath(QStringLiteral("photo%1.jpg").arg(size.width()));
        EXPECT_TRUE(image.save(path, "JPEG"));
        return path;
    }

    QTemporaryDir files;
    std::unique_ptr<TStudentInfoFrm> w;
};

TEST_F(RegisterWindow, OpeningResetsPromotionMarksAndListsTheChildrenInTheKindergarten)
{
    EXPECT_EQ(where("0006"), QStringLiteral("托班/1"));
    EXPECT_EQ(listed(), (QStringList{"0001", "0002", "0003", "0004", "0006"}));
    QStringList titles;
    for (int c = 0; c < w->model()->columnCount(); ++c)
        titles << w->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, (QStringList{"编号", "幼儿姓名", "班级类别", "性别", "父亲姓名", "母亲姓名", "父亲工作单位",
                                   "母亲工作单位", "家庭住址", "籍贯", "联系电话", "状态", "备注", "出生年月",
                                   "入园日期", "离园日期"}));
    EXPECT_EQ(w->grid()->frozenColumns(), 2);
    EXPECT_EQ(w->model()->displayText(0, 13), QStringLiteral("2020-03-01"));
    EXPECT_EQ(get<QDateEdit>("birthTo")->date(), QDate(2026, 3, 7));
    EXPECT_FALSE(get<QDateEdit>("birthFrom")->isEnabled());

    // Showing the query page again puts the class filter back to 全部.
    get<QComboBox>("classFilter")->setCurrentText("中1");
    get<QTabWidget>("pages")->setCurrentIndex(1);
    get<QTabWidget>("pages")->setCurrentIndex(0);
    EXPECT_EQ(get<QComboBox>("classFilter")->currentText(), QStringLiteral("全部"));
}

TEST_F(RegisterWindow, FilterControlsSexBoxesStayCoupledAndAReversedRangeIsRefused)
{
    auto *male = get<QCheckBox>("male");
    auto *female = get<QCheckBox>("female");
    male->click();
    EXPECT_EQ(std::pair(male->isChecked(), female->isChecked()), std::pair(false, true));
    female->click();  // the only checked box: the other one is checked instead
    EXPECT_EQ(std::pair(male->isChecked(), female->isChecked()), std::pair(true, false));
    get<QComboBox>("classFilter")->setCurrentText("中班");
    click("queryButton");
    EXPECT_EQ(listed(), (QStringList{"0001", "0003"}));

    get<QCheckBox>("birthRange")->click();
    get<QDateEdit>("birthFrom")->setDate(QDate(2020, 6, 1));
    get<QDateEdit>("birthTo")->setDate(QDate(2020, 5, 31));
    click("queryButton");
    EXPECT_EQ(fake.messages->texts(), QStringList{"初始时间不能大于截止时间！"});
    EXPECT_EQ(listed(), (QStringList{"0001", "0003"}));
}

TEST_F(RegisterWindow, DoubleClickShowsTheChildAndAddingGivesDefaultsAndTheNextNumber)
{
    openDetail(1);
    EXPECT_EQ(get<QTabWidget>("pages")->currentIndex(), 1);
    EXPECT_EQ(text("numberEdit"), QStringLiteral("0002"));
    EXPECT_EQ(text("nameEdit"), QStringLiteral("李四"));
    EXPECT_EQ(get<QComboBox>("classEdit")->currentText(), QStringLiteral("中1"));
    EXPECT_TRUE(get<QRadioButton>("girl")->isChecked());
    EXPECT_EQ(get<QDateEdit>("birthDateEdit")->date(), QDate(2020, 5, 1));
    EXPECT_EQ(toolStates(), QStringLiteral("110111"));
    EXPECT_TRUE(get<QLineEdit>("nameEdit")->isReadOnly());

    t.db().exec(QStringLiteral("insert into TGFY (编号, TJRQ) values ('0009', '2025-01-01')"));
    click("addButton");
    EXPECT_EQ(w->editState(), EditState::Adding);
    EXPECT_EQ(toolStates(), QStringLiteral("001011"));
    EXPECT_EQ(text("numberEdit"), QStringLiteral("0010"));
    EXPECT_TRUE(get<QLineEdit>("numberEdit")->isReadOnly());
    EXPECT_EQ(get<QComboBox>("classEdit")->currentText(), QString());
    EXPECT_TRUE(get<QRadioButton>("boy")->isChecked());
    EXPECT_EQ(get<QDateEdit>("birthDateEdit")->date(), QDate(2026, 3, 7).addDays(-731));
    EXPECT_EQ(get<QDateEdit>("entryDateEdit")->date(), QDate(2026, 3, 7));

    click("saveButton");
    EXPECT_EQ(fake.messages->last(), QStringLiteral("班级类别不能为空!"));
    EXPECT_EQ(w->editState(), EditState::Adding);
    get<QComboBox>("classEdit")->setCurrentText("小班");
    type(get<QLineEdit>("nameEdit"), "周九");
    click("saveButton");
    const Rows saved = t.db().query(
        QStringLiteral("select 幼儿姓名,班级类别,性别,出生年月,入园日期,状态 from StudentInfo where 编号='0010'"));
    ASSERT_EQ(saved.size(), 1);
    EXPECT_EQ(saved.values[0], (QVector<QVariant>{"周九", "小班", "男", "2024-03-06", "2026-03-07", 1}));
    EXPECT_EQ(w->editState(), EditState::Browsing);
    EXPECT_EQ(listed().last(), QStringLiteral("0010"));
    EXPECT_EQ(w->grid()->currentRow(), w->model()->rowCount() - 1);
}

TEST_F(RegisterWindow, ABirthDateAfterTheEntryDateIsRefusedAndEditingGoesOn)
{
    openDetail(0);
    click("modifyButton");
    get<QDateEdit>("birthDateEdit")->setDate(QDate(2024, 9, 2));
    click("saveButton");
    EXPECT_EQ(fake.messages->last(), QStringLiteral("出生年月不能晚于入园日期！"));
    EXPECT_EQ(w->editState(), EditState::Modifying);
    EXPECT_EQ(where("0001"), QStringLiteral("中班/1"));
}

TEST_F(RegisterWindow, SavingAChildFoundUnderLeftStoresStatus1)
{
    get<QRadioButton>("left")->click();
    click("queryButton");
    ASSERT_EQ(listed(), QStringList{"0005"});
    openDetail(0);
    click("modifyButton");
    get<QLineEdit>("phoneEdit")->setText("13800000000");
    click("saveButton");
    EXPECT_EQ(where("0005"), QStringLiteral("大2/1"));
    EXPECT_EQ(t.db().scalar(QStringLiteral("select 联系电话 from StudentInfo where 编号='0005'")).toString(),
              QStringLiteral("13800000000"));
}

TEST_F(RegisterWindow, ChangingTheNumberIntoAnotherChildsCancelsTheModification)
{
    openDetail(1);
    click("modifyButton");
    auto *number = get<QLineEdit>("numberEdit");
    EXPECT_FALSE(number->isReadOnly());
    number->setText("0001");
    get<QLineEdit>("nameEdit")->setText("改名");
    click("saveButton");
    EXPECT_EQ(fake.messages->texts(), QStringList{"相同编号已存在!"});
    EXPECT_EQ(w->editState(), EditState::Browsing);
    EXPECT_EQ(number->text(), QStringLiteral("0002"));
    EXPECT_EQ(text("nameEdit"), QStringLiteral("李四"));
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from StudentInfo where 编号='0001'")).toInt(), 1);

    click("modifyButton");  // a number nobody has is taken
    number->setText("0042");
    click("saveButton");
    EXPECT_EQ(where("0042"), QStringLiteral("中1/1"));
}

TEST_F(RegisterWindow, ContextMenuFollowsTheSelectionAndDeletesEverySelectedRow)
{
    auto states = [&] {
        QString s;
        for (QAction *a : w->contextActions())
            s += a->isEnabled() ? u'1' : u'0';
        return s;
    };
    w->grid()->setCurrentRow(0);
    EXPECT_EQ(states(), QStringLiteral("111"));
    get<QComboBox>("classFilter")->setCurrentText("中班");
    click("queryButton");
    w->grid()->selectAll();
    EXPECT_EQ(states(), QStringLiteral("010"));

    fake.messages->answers = {true};
    w->contextActions().at(1)->trigger();
    EXPECT_EQ(fake.messages->texts(), QStringList{"确认要注销所选中的项吗"});
    EXPECT_EQ(t.db().scalar(QStringLiteral("select count(*) from StudentInfo where 班级类别 like '中%'")).toInt(), 0);
    EXPECT_EQ(listed(), (QStringList{"0004", "0006"}));  // every child in the kindergarten

    w->grid()->setCurrentRow(1);
    w->contextActions().at(0)->trigger();  // 修改: the detail page, modifying that child
    EXPECT_EQ(get<QTabWidget>("pages")->currentIndex(), 1);
    EXPECT_EQ(w->editState(), EditState::Modifying);
    EXPECT_EQ(text("numberEdit"), QStringLiteral("0006"));
    get<QTabWidget>("pages")->setCurrentIndex(0);

    get<QComboBox>("classFilter")->setCurrentText("大班");
    click("queryButton");
    EXPECT_EQ(states(), QStringLiteral("001"));
}

TEST_F(RegisterWindow, DeletingFromTheDetailPageAsksWithTheName)
{
    openDetail(0);
    click("deleteButton");
    EXPECT_EQ(fake.messages->texts(), QStringList{"您确认要删除名字为'张三'的资料吗"});
    EXPECT_EQ(where("0001"), QStringLiteral("中班/1"));
    fake.messages->answers = {true};
    click("deleteButton");
    EXPECT_EQ(where("0001"), QStringLiteral("-"));
    EXPECT_EQ(listed(), (QStringList{"0002", "0003", "0004", "0006"}));
}

TEST_F(RegisterWindow, APhotoIsStoredScaledOnlyWhenSavedAndANonPictureChangesNothing)
{
    openDetail(0);
    EXPECT_FALSE(get<QPushButton>("loadPhotoButton")->isEnabled());
    click("modifyButton");
    fake.files->openPaths = {photoJpeg({1600, 1200})};
    click("loadPhotoButton");
    EXPECT_FALSE(get<QLabel>("photoBox")->pixmap().isNull());
    click("cancelButton");
    EXPECT_TRUE(get<QLabel>("photoBox")->pixmap().isNull());
    EXPECT_TRUE(t.db().scalar(QStringLiteral("select photo from StudentInfo where 编号='0001'")).isNull());

    click("modifyButton");
    fake.files->openPaths = {photoJpeg({1600, 1200})};
    click("loadPhotoButton");
    click("saveButton");
    const QByteArray stored = t.db().scalar(QStringLiteral("select photo from StudentInfo where 编号='0001'")).toByteArray();
    EXPECT_EQ(DecodePhoto(stored).size(), QSize(1024, 768));

    QFile text(files.filePath("readme.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain text");
    text.close();
    click("modifyButton");
    fake.files->openPaths = {text.fileName()};
    click("loadPhotoButton");
    EXPECT_EQ(fake.messages->last(), QString::fromUtf8(kNotAPhotoText));
    EXPECT_FALSE(get<QLabel>("photoBox")->pixmap().isNull());
    click("saveButton");
    EXPECT_EQ(t.db().scalar(QStringLiteral("select photo from StudentInfo where 编号='0001'")).toByteArray(), stored);
}

TEST_F(RegisterWindow, PrintingAndExportingTheList)
{
    t.db().exec(QStringLiteral("update StudentInfo set 父亲姓名='张大山' where 编号='0001'"));
    click("queryButton");
    click("printButton");
    ASSERT_EQ(fake.preview->reports.size(), 1);
    const CapturedReport &report = fake.preview->reports.first();
    EXPECT_EQ(report.title, QStringLiteral("幼儿信息"));
    for (const char *expected : {"幼儿信息", "张三", "张大山", "2020-03-01", "孙八"})
        EXPECT_TRUE(report.plainText.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(report.plainText.contains(QStringLiteral("钱七")));

    click("exportButton");
    ASSERT_EQ(fake.opener->opened.size(), 1);
    EXPECT_TRUE(fake.opener->opened.first().endsWith(QLatin1String(".xlsx")));
    EXPECT_TRUE(QFileInfo::exists(fake.opener->opened.first()));

    get<QLineEdit>("nameFilter")->setText("无此人");
    click("queryButton");
    fake.messages->clear();
    click("printButton");
    click("exportButton");
    EXPECT_EQ(fake.messages->texts(), (QStringList{"没有可导出的数据！", "没有可导出的数据！"}));
}

TEST_F(RegisterWindow, PrintingWithoutTheTemplateSaysSo)
{
    QTemporaryDir emptyProgram;
    fake.context().programDir = emptyProgram.path();
    click("printButton");
    EXPECT_EQ(fake.messages->texts(), QStringList{"未加载打印模板"});
    EXPECT_TRUE(fake.preview->reports.isEmpty());
}

TEST_F(RegisterWindow, TypingRulesOfTheDetailFields)
{
    openDetail(0);
    click("modifyButton");
    const struct {
        const char *field, *typed, *kept;
    } cases[] = {
        {"nameEdit", " 张(三):丰;`,\"'", "张三丰"},
        {"fatherEdit", "张 大山", "张大山"},
        {"addressEdit", "北京市(朝阳区)", "北京市朝阳区"},
        {"numberEdit", "12a3-4", "1234"},
        {"phoneEdit", "(010) 1234,5", "(010) 1234,5"},
    };
    for (const auto &c : cases) {
        auto *edit = get<QLineEdit>(c.field);
        edit->clear();
        type(edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.kept)) << c.field;
    }
}

}  // namespace
