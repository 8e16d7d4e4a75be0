// Output services: spreadsheet export of a large grid, report preparation, grid printing.
#include "output/GridPrinter.h"
#include "output/ReportTemplate.h"
#include "output/TExcelObject.h"
#include "support/FakeContext.h"

#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

// A grid of rows x columns mixing texts, numeric texts, numbers and dates.
struct Grid {
    QStandardItemModel model;
    QTableView view;

    Grid(int rows, int columns)
    {
        QStringList titles;
        for (int c = 0; c < columns; ++c)
            titles << QStringLiteral("列%1").arg(c + 1);
        model.setHorizontalHeaderLabels(titles);
        for (int r = 0; r < rows; ++r) {
            QList<QStandardItem *> items;
            for (int c = 0; c < columns; ++c) {
                auto *item = new QStandardItem;
                switch (c % 4) {
                case 0: item->setData(QStringLiteral("%1").arg(r, 5, 10, QLatin1Char('0')), Qt::DisplayRole); break;
                case 1: item->setData(QStringLiteral("幼儿姓名%1").arg(r), Qt::DisplayRole); break;
                case 2: item->setData(r * 0.25, Qt::DisplayRole); break;
                default: item->setData(QDate(2020, 1, 1).addDays(r % 1000), Qt::DisplayRole); break;
                }
                items << item;
            }
            model.appendRow(items);
        }
        view.setModel(&model);
    }
};

void BM_ExportGrid10000x16(benchmark::State &state)
{
    Grid grid(10000, 16);
    FakeContext fake;
    for (auto _ : state) {
        const QString path = TExcelObject::ExportGrid(QStringLiteral("幼儿基本信息"), grid.view);
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ExportGrid10000x16)->Unit(benchmark::kMillisecond)->UseRealTime();

const char *kReport = R"(<html><head><title>幼儿信息</title></head><body>
<h1 id="user">标题</h1><p id="Memo41">填报人</p>
<table border="1" cellspacing="0" width="100%">
<thead><tr><th>编号</th><th>姓名</th><th>性别</th><th>出生日期</th><th>班级</th><th>入园日期</th><th>家长</th><th>电话</th></tr></thead>
<tbody><tr data-band=""><td>{{编号}}</td><td>{{姓名}}</td><td>{{性别}}</td><td>{{出生日期}}</td><td>{{班级}}</td><td>{{入园日期}}</td><td>{{家长}}</td><td>{{电话}}</td></tr></tbody>
</table></body></html>)";

void BM_PrepareReport2000Rows(benchmark::State &state)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("打印模板"));
    QFile file(dir.path() + QStringLiteral("/打印模板/幼儿信息.frf"));
    file.open(QIODevice::WriteOnly);
    file.write(kReport);
    file.close();
    FakeContext fake(dir.path());

    const QStringList columns{"编号", "姓名", "性别", "出生日期", "班级", "入园日期", "家长", "电话"};
    QList<QStringList> rows;
    for (int r = 0; r < 2000; ++r)
        rows << QStringList{QStringLiteral("%1").arg(r, 4, 10, QLatin1Char('0')), QStringLiteral("孩子%1").arg(r),
                            r % 2 ? "男" : "女", "2019-05-17", "大一班", "2022-09-01", QStringLiteral("家长%1").arg(r),
                            "13800000000"};
    int pages = 0;
    for (auto _ : state) {
        ReportTemplate report;
        report.load(QStringLiteral("幼儿信息.frf"));
        report.setText(QStringLiteral("user"), QStringLiteral("幼儿信息"));
        report.setText(QStringLiteral("Memo41"), QStringLiteral("填报人:张老师"));
        report.setBand(columns, rows);
        const std::unique_ptr<QTextDocument> document = report.render();
        pages = document->pageCount();  // lays out every page, as the preview needs
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PrepareReport2000Rows)->Unit(benchmark::kMillisecond)->UseRealTime();

// The food table's size: about 1,900 foods.
void BM_GridPrint1900x12(benchmark::State &state)
{
    Grid grid(1900, 12);
    int pages = 0;
    for (auto _ : state) {
        const std::unique_ptr<QTextDocument> document = GridPrinter::document(grid.view, QDateTime::currentDateTime());
        pages = document->pageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_GridPrint1900x12)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
