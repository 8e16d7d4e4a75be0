#pragma once
// A statement with its bound values, built by the register's logic and run by Database.
#include <QString>
#include <QVariantList>

struct SqlStatement {
    QString sql;
    QVariantList params;
};
