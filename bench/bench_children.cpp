// The children's register over 10,000 children: the query to a filled list, sorting the
// list by a column, and promoting the whole kindergarten.
#include "children/ClassCategories.h"
#include "children/Promotion.h"
#include "children/TStudentInfoFrm.h"
#include "output/ListGrid.h"
#include "output/RowsModel.h"
#include "support/FakeContext.h"
#include "support/TempDatabase.h"
#include "support/TestDirs.h"

#include <QAbstractButton>
#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kChildren = 10000;

void fillRegister(Database &db)
{
    static const QStringList surnames{"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周", "徐", "孙"};
    static const QStringList given{"子涵", "欣怡", "梓萱", "浩然", "宇轩", "一诺", "雨桐", "俊杰", "思琪", "博文"};
    Transaction tx(db);
    Statement insert = db.prepare(QStringLiteral(
        "insert into StudentInfo (编号,幼儿姓名,班级类别,性别,父亲姓名,母亲姓名,父亲工作单位,母亲工作单位,家庭住址,籍贯,"
        "联系电话,状态,备注,出生年月,入园日期) values (?,?,?,?,?,?,?,?,?,?,?,1,?,?,?)"));
    const QStringList &classes = ClassCategories::All();
    for (int i = 1; i <= kChildren; ++i) {
        const QString surname = surnames.at(i % surnames.size());
        insert.reset();
        insert.bindAll({QString::number(i).rightJustified(4, u'0'), surname + given.at((i / 7) % given.size()),
                        classes.at(i % classes.size()), i % 2 ? "男" : "女", surname + "建国", "林秀英",
                        "第" + QString::number(i % 97) + "中学", "市人民医院", "幸福路" + QString::number(i % 500) + "号",
                        "江苏南京", "1380000" + QString::number(i).rightJustified(4, u'0'), i % 13 ? "" : "过敏体质",
                        QDate(2019, 1, 1).addDays(i % 1400).toString(Qt::ISODate), "2024-09-01"});
        insert.run();
    }
    tx.commit();
}

struct Register {
    FakeContext fake{programDir()};
    TempDatabase t;
    Register() { fillRegister(t.db()); }
};

// "查询(&Q)" of the window: the statement, the rows, the list model and the painted grid.
void BM_RegisterQueryToList(benchmark::State &state)
{
    Register r;
    TStudentInfoFrm w;
    w.show();
    auto *query = w.findChild<QAbstractButton *>(QStringLiteral("queryButton"));
    for (auto _ : state) {
        query->click();
        w.grid()->viewport()->repaint();
        if (w.model()->rowCount() != kChildren)
            state.SkipWithError("list incomplete");
    }
    state.counters["rows"] = w.model()->rowCount();
}
BENCHMARK(BM_RegisterQueryToList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A click on a column title: text (name), date (birth date), number (child number).
void BM_RegisterSort(benchmark::State &state)
{
    Register r;
    TStudentInfoFrm w;
    w.show();
    const int column = int(state.range(0));
    Qt::SortOrder order = Qt::AscendingOrder;
    for (auto _ : state) {
        w.grid()->sortByColumn(column, order);
        w.grid()->viewport()->repaint();
        order = order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    }
    state.SetLabel(w.model()->headerData(column, Qt::Horizontal).toString().toStdString());
}
BENCHMARK(BM_RegisterSort)->Arg(1)->Arg(13)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// "全部升班": the 34 statements in one transaction over 10,000 children in 44 classes.
void BM_PromoteAll(benchmark::State &state)
{
    Register r;
    Database &db = r.t.db();
    db.execScript(QStringLiteral("create table before as select iuk, 班级类别 from StudentInfo"));
    r.fake.clock->current = QDateTime(QDate(2025, 9, 1), QTime(8, 0));
    for (auto _ : state) {
        state.PauseTiming();
        db.execScript(QStringLiteral("update StudentInfo set 状态=1, 班级类别=(select b.班级类别 from before b "
                                     "where b.iuk=StudentInfo.iuk)"));
        r.fake.messages->answers = {true};
        state.ResumeTiming();
        if (!PromoteAll())
            state.SkipWithError("declined");
    }
    state.counters["moved"] = db.scalar(QStringLiteral("select count(*) from StudentInfo where 状态<>1")).toInt();
}
BENCHMARK(BM_PromoteAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 10));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
