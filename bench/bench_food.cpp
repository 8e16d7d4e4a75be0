// Food windows: the picker's search per key stroke over the shipped food table and over
// 100,000 foods, and sorting the food list by a nutrient column.
#include "app/FirstStart.h"
#include "data/TfrmDM.h"
#include "food/FoodSearch.h"
#include "food/PinyinTable.h"
#include "food/TSelectFoodFrm.h"
#include "food/TmainenanceFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"
#include "support/FakeContext.h"
#include "support/TestDirs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A database made as the first start makes it, optionally grown to a number of foods by
// copies of the shipped ones under new numbers.
class FoodDatabase {
public:
    explicit FoodDatabase(int foods = 0)
    {
        PinyinTable::instance().load(programDir());
        const QString path = TfrmDM::databasePathFor(dir.path());
        CreateNewDatabase(path, programDir() + QStringLiteral("/reference"));
        dm = std::make_unique<TfrmDM>(path);
        Database &db = dm->db();
        const int shipped = db.scalar(QStringLiteral("select count(*) from FoodNutrition")).toInt();
        const int copies = foods > shipped ? (foods - 1) / shipped : 0;
        Transaction tx(db);
        for (int copy = 1; copy <= copies; ++copy) {
            // Numbers stay within their category: 2 digits, copy number, the rest.
            db.exec(QStringLiteral("insert into FoodNutrition select substr(foodid, 1, 2) || printf('%02d', ?) || "
                                   "substr(foodid, 3), foodname || ?, Spell, foodish, water, energy, Energy_kJ, "
                                   "protein, fat, carbohydra, fiber, Cholesterol, Ash, vita, carotene, Retinol, "
                                   "Thiamin, Riboflavin, Niacin, VitC, vite, a_Vit_E, ca, p, k, na, mg, fe, zn, se, "
                                   "cu, mn, Remark from FoodNutrition where rowid <= ?"),
                    {copy, QString::number(copy), shipped});
        }
        if (copies > 0) {
            const int now = db.scalar(QStringLiteral("select count(*) from FoodNutrition")).toInt();
            db.exec(QStringLiteral("delete from FoodNutrition where rowid in (select rowid from FoodNutrition "
                                   "order by rowid desc limit ?)"),
                    {now - foods});
        }
        tx.commit();
        count = db.scalar(QStringLiteral("select count(*) from FoodNutrition")).toInt();
    }

    FakeContext fake{programDir()};
    QTemporaryDir dir;
    std::unique_ptr<TfrmDM> dm;
    int count = 0;
};

// Typing "xbc" and deleting it again: six key strokes, the last one empties the box
// (the whole table is listed again).
const QStringList kKeyStrokes{QStringLiteral("x"),  QStringLiteral("xb"), QStringLiteral("xbc"),
                              QStringLiteral("xb"), QStringLiteral("x"),  QString()};

// The database of the key-stroke benchmarks, kept between them.
std::unique_ptr<FoodDatabase> db;
int made = -1;

void runKeyStrokes(benchmark::State &state, int foods, const QStringList &strokes)
{
    if (made != foods) {
        db.reset();
        db = std::make_unique<FoodDatabase>(foods);
        made = foods;
    }
    TSelectFoodFrm picker;
    picker.show();
    QApplication::processEvents();
    qsizetype i = 0;
    qint64 listed = 0;
    for (auto _ : state) {
        if (strokes.isEmpty()) {
            // Only the emptying stroke is timed.
            state.PauseTiming();
            picker.searchBox()->setText(QStringLiteral("x"));
            state.ResumeTiming();
            picker.searchBox()->clear();
        } else {
            // From the changed text to the list painted with its rows.
            picker.searchBox()->setText(strokes.at(i++ % strokes.size()));
        }
        picker.grid()->viewport()->repaint();
        listed += picker.model()->rowCount();
    }
    state.counters["foods"] = db->count;
    state.counters["rows_listed_avg"] = double(listed) / double(state.iterations());
}

void BM_PickerKeyStroke_Shipped(benchmark::State &state)
{
    runKeyStrokes(state, 0, kKeyStrokes);
}
BENCHMARK(BM_PickerKeyStroke_Shipped)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(600);

void BM_PickerKeyStroke_100k(benchmark::State &state)
{
    runKeyStrokes(state, 100000, kKeyStrokes);
}
BENCHMARK(BM_PickerKeyStroke_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);

// The narrowing strokes alone ("x", "xb", "xbc"), without the stroke that empties the box.
void BM_PickerNarrowingKeyStroke_100k(benchmark::State &state)
{
    runKeyStrokes(state, 100000, kKeyStrokes.mid(0, 3));
}
BENCHMARK(BM_PickerNarrowingKeyStroke_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(120);

// The stroke that empties the box ("x" to ""): the whole table is listed again.
void BM_PickerEmptyingKeyStroke_100k(benchmark::State &state)
{
    runKeyStrokes(state, 100000, {});
}
BENCHMARK(BM_PickerEmptyingKeyStroke_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);

// Showing the picker: loading every food once.
void BM_PickerShow_100k(benchmark::State &state)
{
    FoodDatabase db(100000);
    for (auto _ : state) {
        TSelectFoodFrm picker;
        picker.show();
        picker.grid()->viewport()->repaint();
        benchmark::DoNotOptimize(picker.model()->rowCount());
    }
    state.counters["foods"] = db.count;
}
BENCHMARK(BM_PickerShow_100k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// A click on the title "蛋白质(g)" of the food list over the shipped table, alternating
// the order; the list is painted after each sort.
void BM_SortFoodListByProtein_Shipped(benchmark::State &state)
{
    FoodDatabase db;
    TmainenanceFrm w;
    w.show();
    QApplication::processEvents();
    const int protein = 5;
    Qt::SortOrder order = Qt::DescendingOrder;
    for (auto _ : state) {
        w.grid()->sortByColumn(protein, order);
        w.grid()->viewport()->repaint();
        order = order == Qt::DescendingOrder ? Qt::AscendingOrder : Qt::DescendingOrder;
    }
    state.counters["foods"] = w.model()->rowCount();
}
BENCHMARK(BM_SortFoodListByProtein_Shipped)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

// The food list's search statement over the shipped table (fuzzy "bc", all categories).
void BM_FoodListSearch_Shipped(benchmark::State &state)
{
    FoodDatabase db;
    FoodSearchPatterns p;
    p.name = FoodNamePattern(QStringLiteral("bc"), true);
    qsizetype rows = 0;
    for (auto _ : state)
        rows = SearchFoods(db.dm->db(), p).size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_FoodListSearch_Shipped)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC")));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    db.reset();
    return 0;
}
