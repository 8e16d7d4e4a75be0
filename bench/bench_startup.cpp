// Start-up and end of the program: first start, start-up to the login window, compaction.
#include "app/FirstStart.h"
#include "app/StartUp.h"
#include "app/TUserlogyfForm1.h"
#include "data/TfrmDM.h"
#include "food/PinyinTable.h"
#include "support/FakeContext.h"
#include "support/TestDirs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QString reference() { return programDir() + QStringLiteral("/reference"); }

void copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    for (const QFileInfo &fi : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (fi.isDir())
            copyTree(fi.filePath(), to + u'/' + fi.fileName());
        else
            QFile::copy(fi.filePath(), to + u'/' + fi.fileName());
    }
}

// Creating the database with all reference data.
void BM_FirstStart(benchmark::State &state)
{
    PinyinTable::instance().load(programDir());
    for (auto _ : state) {
        QTemporaryDir dir;
        CreateNewDatabase(TfrmDM::databasePathFor(dir.path()), reference());
    }
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(5);

// Pinyin table, data module and login window, without the 3000 ms splash wait.
void BM_StartUpToLogin(benchmark::State &state)
{
    FakeContext fake;
    QTemporaryDir dir;
    copyTree(programDir() + QStringLiteral("/Resource"), dir.filePath(QStringLiteral("Resource")));
    copyTree(reference(), dir.filePath(QStringLiteral("reference")));
    PinyinTable::instance().load(programDir());
    CreateNewDatabase(TfrmDM::databasePathFor(dir.path()), reference());
    for (auto _ : state) {
        Program p(dir.path());
        if (!p.loadPinyin() || !p.openDatabase())
            state.SkipWithError("start-up failed");
        TUserlogyfForm1 login;
        login.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(login.isVisible());
    }
}
BENCHMARK(BM_StartUpToLogin)->Unit(benchmark::kMillisecond)->Iterations(10);

// Closing: compaction of the reference data plus 10,000 children and 50,000 examinations.
void BM_CompactAtEnd(benchmark::State &state)
{
    PinyinTable::instance().load(programDir());
    QTemporaryDir dir;
    const QString path = TfrmDM::databasePathFor(dir.path());
    CreateNewDatabase(path, reference());
    {
        TfrmDM dm(path);
        Database &db = dm.db();
        Transaction tx(db);
        Statement child = db.prepare(QStringLiteral(
            "insert into StudentInfo (编号, 幼儿姓名, 班级类别, 性别, 状态, 出生年月, 入园日期, 家庭住址) values (?, ?, ?, ?, 1, ?, ?, ?)"));
        Statement exam = db.prepare(QStringLiteral(
            "insert into TGFY (编号, TJRQ, TZ, SG, XSS, SGPJ, TZPJ, NLSG, NLTZ, SGTZ, age) values (?, ?, ?, ?, 120, '标准', '标准', '中', '中', '中', '0403')"));
        for (int i = 1; i <= 10000; ++i) {
            const QString code = QString::number(i).rightJustified(4, u'0');
            child.reset();
            child.bindAll({code, QStringLiteral("幼儿%1").arg(i), QStringLiteral("中%1").arg(i % 10 + 1),
                           i % 2 ? QStringLiteral("男") : QStringLiteral("女"), QStringLiteral("2021-05-17"),
                           QStringLiteral("2024-09-01"), QStringLiteral("某市某区某路%1号").arg(i)});
            child.run();
            for (int k = 0; k < 5; ++k) {
                exam.reset();
                exam.bindAll({code, QStringLiteral("2025-0%1-15").arg(k + 1), 16.5 + k * 0.3, 103.5 + k});
                exam.run();
            }
        }
        tx.commit();
        db.exec(QStringLiteral("delete from TGFY where id % 7 = 0"));
    }
    for (auto _ : state) {
        if (!TfrmDM::CompactDataFile(path, TfrmDM::databasePassword()))
            state.SkipWithError("compaction failed");
    }
    state.counters["file_MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_CompactAtEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
