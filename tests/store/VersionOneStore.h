#pragma once

#include "store/StoreSchema.h"

#include <QSqlDatabase>
#include <QString>

// A store as the program's first version made it: what a batch must refuse
// to upgrade. False when the file could not be opened.
inline bool makeVersionOneStore(const QString &path)
{
    bool opened = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
        db.setDatabaseName(path);
        opened = db.open();
        if (opened)
            StoreSchema::upgrade(db, {StoreSchema::steps().front()});
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    return opened;
}
