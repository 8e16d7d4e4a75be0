#include "FoodFixture.h"

#include "food/TSelectFoodFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class Picker : public FoodTable {
protected:
    void SetUp() override
    {
        FoodTable::SetUp();
        w.show();
    }
    QStringList shownIds() const { return ColumnValues(w.model()->rows(), "foodid"); }

    TSelectFoodFrm w;
};

TEST_F(Picker, SearchesOnEveryKeyStroke)
{
    EXPECT_EQ(w.model()->rowCount(), 16);
    EXPECT_TRUE(w.fuzzyBox()->isChecked());
    EXPECT_TRUE(w.PickedFoodId.isEmpty());
    w.searchBox()->setFocus();
    TypeText(w.searchBox(), "b");
    EXPECT_EQ(shownIds(), (QStringList{"011102", "045101", "045102", "045120", "201005", "201006"}));
    TypeText(w.searchBox(), "c");
    EXPECT_EQ(shownIds(), (QStringList{"011102", "045101", "045102", "045120"}));
    TypeText(w.searchBox(), "b");
    EXPECT_EQ(shownIds(), QStringList{"011102"});

    // Unticking 模糊查询 searches at once, for the exact initials or name.
    w.searchBox()->setText(QStringLiteral("bc"));
    w.fuzzyBox()->click();
    EXPECT_EQ(shownIds(), QStringList{"045102"});
}

TEST_F(Picker, ChoosingACategoryNarrowsAtOnce)
{
    w.searchBox()->setText(QStringLiteral("蛋"));
    EXPECT_EQ(w.model()->rowCount(), 2);
    w.searchBox()->clear();
    w.categoryList()->setCurrentText(QStringLiteral("乳类及制品"));
    EXPECT_EQ(shownIds(), QStringList{"101101"});
    TypeText(w.searchBox(), "x");
    EXPECT_TRUE(shownIds().isEmpty());
}

TEST_F(Picker, OkTakesTheCurrentFood)
{
    w.searchBox()->setText(QStringLiteral("jd"));
    w.okButton()->click();
    EXPECT_EQ(w.PickedFoodId, "111101");
    EXPECT_EQ(w.PickedFoodName, "鸡蛋");
    EXPECT_FALSE(w.isVisible());

    // Showing again empties the results and the search.
    w.show();
    EXPECT_TRUE(w.PickedFoodId.isEmpty());
    EXPECT_TRUE(w.searchBox()->text().isEmpty());
    EXPECT_EQ(w.model()->rowCount(), 16);
}

TEST_F(Picker, OkWithoutAFoodSaysSoAndStaysOpen)
{
    w.searchBox()->setText(QStringLiteral("nothing"));
    w.okButton()->click();
    EXPECT_EQ(fake.messages->texts(), QStringList{"你未选择食品"});
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(w.PickedFoodId.isEmpty());
}

TEST_F(Picker, DoubleClickTakesTheRow)
{
    w.searchBox()->setText(QStringLiteral("白菜"));
    QApplication::processEvents();
    const QRect cell = w.grid()->visualRect(w.model()->index(2, 3));
    QTest::mouseClick(w.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(w.grid()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(w.PickedFoodId, "045102");
    EXPECT_EQ(w.PickedFoodName, "白菜");
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Picker, CancelLeavesBothResultsEmpty)
{
    w.searchBox()->setText(QStringLiteral("jd"));
    w.cancelButton()->click();
    EXPECT_TRUE(w.PickedFoodId.isEmpty());
    EXPECT_TRUE(w.PickedFoodName.isEmpty());
    EXPECT_FALSE(w.isVisible());
}

TEST_F(Picker, SortsByANutrientAndKeepsTheOrderWhileTyping)
{
    EXPECT_EQ(w.model()->headerData(17, Qt::Horizontal).toString(), "硫胺素vb1(mg)");
    EXPECT_EQ(w.model()->headerData(30, Qt::Horizontal).toString(), "产地");
    const int protein = int(TSelectFoodFrm::listFields().indexOf("protein"));
    EXPECT_EQ(w.model()->headerData(protein, Qt::Horizontal).toString(), "蛋白质(g)");
    QHeaderView *header = w.grid()->horizontalHeader();
    const QPoint title(header->sectionViewportPosition(protein) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, title);
    ASSERT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(w.model()->value(0, "foodid").toString(), "111101");
    EXPECT_EQ(w.model()->value(1, "foodid").toString(), "111102");

    // Foods without a protein figure come last.
    TypeText(w.searchBox(), "b");
    EXPECT_EQ(shownIds(), (QStringList{"011102", "045101", "045120", "045102", "201005", "201006"}));
}

TEST_F(Picker, TheProgramsPickerShowsTheDialogModally)
{
    w.hide();
    SelectFoodPicker picker;
    const auto answer = [](bool ok) {
        QTimer::singleShot(0, [ok] {
            auto *dialog = qobject_cast<TSelectFoodFrm *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->searchBox()->setText(QStringLiteral("yd"));
            (ok ? dialog->okButton() : dialog->cancelButton())->click();
        });
    };
    answer(true);
    const PickedFood picked = picker.pick(nullptr);
    EXPECT_EQ(picked.id, "111102");
    EXPECT_EQ(picked.name, "鸭蛋");
    answer(false);
    const PickedFood cancelled = picker.pick(nullptr);
    EXPECT_TRUE(cancelled.id.isEmpty());
    EXPECT_TRUE(cancelled.name.isEmpty());
}

}  // namespace
