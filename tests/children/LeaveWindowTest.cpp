#include "ChildrenFixture.h"

#include "children/TLeaveFrm.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

class LeaveWindow : public ChildrenDb {
protected:
    void SetUp() override
    {
        w = std::make_unique<TLeaveFrm>();
        w->show();
    }
    template <typename T>
    T *get(const char *name) { return part<T>(w.get(), name); }
    void ok() { get<QPushButton>("okButton")->click(); }

    std::unique_ptr<TLeaveFrm> w;
};

TEST_F(LeaveWindow, EachModeEnablesItsInputs)
{
    EXPECT_EQ(w->mode(), TLeaveFrm::Mode::PromoteSelection);
    const struct {
        const char *mode, *enabled;  // number, class, receiving kindergarten
    } cases[] = {{"allMode", "000"}, {"transferMode", "101"}, {"selectionMode", "110"}};
    for (const auto &c : cases) {
        get<QRadioButton>(c.mode)->click();
        QString s;
        for (const char *n : {"numberEdit", "classEdit", "kindergartenEdit"})
            s += get<QWidget>(n)->isEnabled() ? u'1' : u'0';
        EXPECT_EQ(s, QString::fromUtf8(c.enabled)) << c.mode;
    }
}

TEST_F(LeaveWindow, PromotionMarksLastUntilTheWindowClosesAndOpeningStartsAfresh)
{
    addAll({{"0001", "甲", "小2"}, {"0002", "乙", "小2"}});
    get<QComboBox>("classEdit")->setCurrentText("小2");
    ok();
    EXPECT_EQ(QStringList({where("0001"), where("0002")}), (QStringList{"中2/3", "中2/3"}));
    get<QComboBox>("classEdit")->setCurrentText("中2");
    ok();
    EXPECT_EQ(where("0001"), QStringLiteral("中2/3"));

    get<QLineEdit>("numberEdit")->setText("0001");
    get<QRadioButton>("transferMode")->click();
    get<QLineEdit>("kindergartenEdit")->setText("阳光幼儿园");
    get<QPushButton>("backButton")->click();
    EXPECT_EQ(QStringList({where("0001"), where("0002")}), (QStringList{"中2/1", "中2/1"}));

    w->show();
    EXPECT_EQ(w->mode(), TLeaveFrm::Mode::PromoteSelection);
    EXPECT_TRUE(get<QLineEdit>("numberEdit")->text().isEmpty());
    EXPECT_TRUE(get<QLineEdit>("kindergartenEdit")->text().isEmpty());
    ok();  // class 中2 is still chosen
    EXPECT_EQ(where("0001"), QStringLiteral("大2/3"));
}

TEST_F(LeaveWindow, TransferringAChildWhoAlreadyLeftPrintsTheNote)
{
    const qint64 iuk = add({"0005", "钱小七", "大2", "女", "2019-03-15", 2});
    t.db().exec(QStringLiteral("update StudentInfo set 父亲姓名='钱大军', 母亲姓名='李红', 母亲工作单位='市第一医院', "
                               "家庭住址='幸福路8号' where iuk=?"),
                {iuk});
    get<QRadioButton>("transferMode")->click();
    get<QLineEdit>("numberEdit")->setText(" 0005 ");
    get<QLineEdit>("kindergartenEdit")->setText(" 阳光幼儿园 ");
    fake.messages->answers = {true};
    ok();
    EXPECT_EQ(fake.messages->texts(), (QStringList{"您要打印转园介绍单吗？", "转园成功！"}));
    EXPECT_EQ(where("0005"), QStringLiteral("大2/2"));
    ASSERT_EQ(fake.preview->reports.size(), 1);
    const QString note = fake.preview->reports.first().plainText;
    for (const char *expected : {"阳光幼儿园:", "钱小七", "女", "2019-03-15", "2024-09-01", "大2班", "钱大军", "李红",
                                 "市第一医院", "幸福路8号", "2026-03-07", "2026年3月7日", "园长签字"})
        EXPECT_TRUE(note.contains(QString::fromUtf8(expected))) << expected;

    fake.messages->clear();
    ok();  // no note this time
    EXPECT_EQ(fake.messages->texts(), (QStringList{"您要打印转园介绍单吗？", "转园成功！"}));
    EXPECT_EQ(fake.preview->reports.size(), 1);
}

}  // namespace
