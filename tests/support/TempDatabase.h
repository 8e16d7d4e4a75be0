#pragma once
// A fresh keyed database with every table, in a temporary directory, opened as the current
// data module.
#include "data/Database.h"
#include "support/QtPrinters.h"
#include "data/Schema.h"
#include "data/TfrmDM.h"

#include <QTemporaryDir>
#include <memory>

class TempDatabase {
public:
    TempDatabase()
    {
        path = dir.filePath(QStringLiteral("data1/Nutrition.mdb"));
        QDir().mkpath(dir.filePath(QStringLiteral("data1")));
        {
            auto db = Database::open(path, TfrmDM::databasePassword());
            Transaction tx(*db);
            Schema::CreateAll(*db);
            tx.commit();
        }
        dm = std::make_unique<TfrmDM>(path);
    }
    Database &db() { return dm->db(); }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TfrmDM> dm;
};
