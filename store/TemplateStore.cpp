// The store's templates: listing them, and saving, loading and deleting
// one whole in a transaction.

#include "TemplateStorePrivate.h"

#include "RowArrays.h"
#include "RowReader.h"
#include "StoreError.h"
#include "StoreSchema.h"
#include "StoreTables.h"

#include "model/BillTemplate.h"

#include "platform/Element.h"
#include "platform/PageSurface.h"
#include "platform/PictureCodec.h"

#include <QDateTime>
#include <QSqlError>
#include <QVariant>

#include <algorithm>
#include <set>

using namespace TemplateStoreRows;

namespace {

const QString LastRevision = QStringLiteral("LastRevision");

bool isShown(const ObjDraw &obj)
{
    return obj.ObjCtl() && obj.ObjCtl()->Visible() && obj.eType() >= ObjDraw::Line
           && obj.eType() <= ObjDraw::Picture;
}

bool isFresh(BillTemplate &bill)
{
    PageSurface &page = bill.mObjs.page();
    return bill.mObjs.Count() == 0 && page.ObjLine().size() == 1 && page.ObjText().size() == 1
           && page.ObjImg().size() == 1 && page.PicHD().size() == 1;
}

} // namespace

void TemplateStore::Private::requireCategory(int16_t categoryID)
{
    QSqlQuery &query = prepared(CategoryExists);
    query.bindValue(0, categoryID);
    exec(query);
    if (!query.next() || query.value(0).toInt() == 0)
        throw StoreError::of(RuntimeError::CategoryNotFound, db, QString::number(categoryID));
    query.finish();
}

std::optional<int32_t> TemplateStore::Private::storedRevision(int16_t id)
{
    QSqlQuery &query = prepared(SelectRevision);
    query.bindValue(0, id);
    exec(query);
    if (!query.next())
        return std::nullopt;
    const RowReader r(query, StoreTables::Templates, &TemplateRow::ColumnNames[TemplateRow::Revision],
                      QStringLiteral("（单据 %1）").arg(id));
    const auto revision = int32_t(r.integer(0, 0, MaxInt32));
    query.finish();
    return revision;
}

// The next id after the highest, or the first gap once the highest is
// taken; ids of deleted templates come back only then.
int16_t TemplateStore::Private::freeID()
{
    QSqlQuery &highest = prepared(MaxID);
    exec(highest);
    const QVariant max = highest.next() ? highest.value(0) : QVariant();
    highest.finish();
    if (max.isNull() || max.toLongLong() < 1)
        return 1;
    if (max.toLongLong() < MaxTemplateID)
        return int16_t(max.toLongLong() + 1);
    QSqlQuery &first = prepared(FirstIDTaken);
    first.bindValue(0, 1);
    exec(first);
    const bool firstTaken = first.next() && first.value(0).toInt() > 0;
    first.finish();
    if (!firstTaken)
        return 1;
    QSqlQuery &gap = prepared(FirstGap);
    gap.bindValue(0, 1);
    gap.bindValue(1, MaxTemplateID);
    exec(gap);
    const QVariant before = gap.next() ? gap.value(0) : QVariant();
    gap.finish();
    if (before.isNull())
        throw StoreError::of(RuntimeError::TemplateIdsExhausted, db);
    return int16_t(before.toLongLong() + 1);
}

void TemplateStore::Private::writeTemplate(Statement statement, int16_t id, const TemplateRow &row)
{
    QSqlQuery &query = prepared(statement);
    const QVariantList values = row.values();
    int at = 0;
    if (statement == InsertTemplate)
        query.bindValue(at++, id);
    for (const QVariant &value : values)
        query.bindValue(at++, value);
    if (statement == UpdateTemplate) {
        query.bindValue(at++, id);
        query.bindValue(at++, row.revision - 1);
    }
    exec(query);
    // The revision was checked in this transaction; no other row can match.
    if (query.numRowsAffected() != 1)
        throw StoreError::of(RuntimeError::StoreFailed, db, QLatin1String(StoreTables::Templates));
}

void TemplateStore::Private::deleteRows(Statement statement, int16_t id)
{
    QSqlQuery &query = prepared(statement);
    query.bindValue(0, id);
    exec(query);
}

template <typename Row>
void TemplateStore::Private::insertRows(const std::vector<Row> &rows, int16_t id,
                                        const RowInserts &inserts)
{
    if (location.isServer())
        insertAsArrays(rows, id, inserts);
    else
        insertInChunks(rows, id, inserts);
}

template <typename Row>
void TemplateStore::Private::insertInChunks(const std::vector<Row> &rows, int16_t id,
                                            const RowInserts &inserts)
{
    const auto bind = [&](QSqlQuery &insert, const Row &row, int first) {
        const auto values = row.values(id);
        for (int column = 0; column < inserts.columns; ++column)
            insert.bindValue(first + column, values[std::size_t(column)]);
    };
    const std::size_t count = rows.size();
    std::size_t row = 0;
    if (count >= std::size_t(RowsPerInsert)) {
        QSqlQuery &chunk = prepared(inserts.many);
        for (; row + RowsPerInsert <= count; row += RowsPerInsert) {
            for (int i = 0; i < RowsPerInsert; ++i)
                bind(chunk, rows[row + std::size_t(i)], i * inserts.columns);
            exec(chunk);
        }
    }
    QSqlQuery &single = prepared(inserts.one);
    for (; row < count; ++row) {
        bind(single, rows[row], 0);
        exec(single);
    }
}

template <typename Row>
void TemplateStore::Private::insertAsArrays(const std::vector<Row> &rows, int16_t id,
                                            const RowInserts &inserts)
{
    RowArrays arrays(RowArrays::Layout(inserts.layout), arrayFields(inserts));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        arrays.append(rows[row].values(id).data());
        if (arrays.length() < MaxArrayLength && row + 1 < rows.size())
            continue;
        QSqlQuery &insert = prepared(inserts.array);
        const QStringList literals = arrays.literals();
        for (int i = 0; i < literals.size(); ++i)
            insert.bindValue(i, literals[i]);
        exec(insert);
        arrays.clear();
    }
}

SaveResult TemplateStore::Private::write(BillTemplate &bill, int16_t id, const QString &name,
                                         int16_t categoryID)
{
    // Everything the rows need is gathered before the store is locked.
    std::vector<ObjectRow> rows;
    std::vector<PictureRow> pictures;
    rows.reserve(std::size_t(bill.mObjs.Count()));
    QHash<qint64, QByteArray> encoded;
    for (const auto &obj : bill.mObjs) {
        if (!isShown(*obj))
            continue;
        rows.push_back(ObjectRow::fromObject(*obj, int(rows.size()) + 1));
        const Element &element = *obj->ObjCtl();
        if (obj->eType() != ObjDraw::Picture || element.Picture().isNull())
            continue;
        QByteArray data = element.PictureData();
        if (data.isEmpty()) {
            auto it = encoded.find(element.Picture().cacheKey());
            if (it == encoded.end())
                it = encoded.insert(element.Picture().cacheKey(),
                                    PictureCodec::encode(element.Picture()));
            data = *it;
        }
        pictures.push_back({obj->nID(), data, element.Tag()});
    }

    StoreTransaction transaction(db, StoreTransaction::Write, waitNotice);
    requireCategory(categoryID);
    const qint64 lastRevision = std::max<qint64>(0, StoreSchema::info(db, LastRevision));
    int32_t revision = 0;
    if (id == 0) {
        id = freeID();
        // Above every revision ever given, whatever id this template takes.
        revision = int32_t(lastRevision + 1);
        writeTemplate(InsertTemplate, id,
                      TemplateRow::fromTemplate(bill, name, categoryID, revision));
    } else {
        const std::optional<int32_t> stored = storedRevision(id);
        if (!stored)
            return SaveResult::TemplateGone;
        if (*stored != bill.mRevision)
            return SaveResult::ChangedElsewhere;
        revision = *stored + 1;
        writeTemplate(UpdateTemplate, id,
                      TemplateRow::fromTemplate(bill, name, categoryID, revision));
        deleteRows(DeleteObjects, id);
        deleteRows(DeletePictures, id);
    }
    StoreSchema::setInfo(db, LastRevision, std::max<qint64>(lastRevision, revision));
    insertRows(rows, id,
               {InsertObject, InsertObjects, InsertObjectArray, StoreTables::Objects,
                ObjectRow::ColumnNames, ObjectRow::ColumnCount, RowArrays::ArrayOfRows});
    insertRows(pictures, id,
               {InsertPicture, InsertPictures, InsertPictureArray, StoreTables::Pictures,
                PictureColumns, PictureRow::ColumnCount, RowArrays::ArrayPerColumn});
    transaction.commit();

    bill.mID = id;
    bill.Caption = name;
    bill.mScreenID = categoryID;
    bill.mRevision = revision;
    for (const auto &obj : bill.mObjs)
        obj->setEditFlag(-1);
    return SaveResult::Saved;
}

StoredTemplate TemplateStore::Private::read(int16_t id)
{
    StoredTemplate stored;
    StoreTransaction transaction(db, StoreTransaction::Read);
    QSqlQuery &query = prepared(SelectTemplate);
    query.bindValue(0, id);
    exec(query);
    if (!query.next())
        throw StoreError::of(RuntimeError::TemplateNotFound, db, QString::number(id));
    stored.row = TemplateRow::read(query, id);
    query.finish();
    readObjects(id, stored);
    readPictures(id, stored);
    transaction.commit();
    return stored;
}

void TemplateStore::Private::readObjects(int16_t id, StoredTemplate &stored)
{
    QSqlQuery &query = prepared(SelectObjects);
    query.bindValue(0, id);
    exec(query);
    std::set<int> ids;
    while (query.next()) {
        ObjectRow row = ObjectRow::read(query);
        // Positions run 1, 2, ... without a gap: a missing row is a
        // damaged template, not a smaller one.
        if (row.position != int(stored.objects.size()) + 1 || !ids.insert(row.nID).second)
            throw RuntimeError(RuntimeError::TemplateDataCorrupt,
                               QStringLiteral("%1（第 %2 个对象）")
                                   .arg(QLatin1String(StoreTables::Objects))
                                   .arg(stored.objects.size() + 1));
        stored.objects.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        fail(query);
    query.finish();
}

void TemplateStore::Private::readPictures(int16_t id, StoredTemplate &stored)
{
    static const char *const names[] = {"nID", "Data", "FileName"};
    std::set<int> pictureIDs;
    for (const ObjectRow &row : stored.objects) {
        if (row.eType == ObjDraw::Picture)
            pictureIDs.insert(row.nID);
    }
    QSqlQuery &query = prepared(SelectPictures);
    query.bindValue(0, id);
    exec(query);
    while (query.next()) {
        const RowReader r(query, StoreTables::Pictures, names,
                          QStringLiteral("（单据 %1）").arg(id));
        PictureRow picture;
        picture.nID = int(r.integer(0, 0, MaxInt32));
        if (!pictureIDs.count(picture.nID))
            r.corrupt(0);
        picture.data = r.bytes(1);
        picture.fileName = r.text(2);
        stored.pictures.insert(picture.nID, picture);
    }
    if (query.lastError().isValid())
        fail(query);
    query.finish();
}

void TemplateStore::Private::apply(const StoredTemplate &stored, BillTemplate &fresh)
{
    // Pictures decode first (many objects often share one), so a picture
    // that cannot decode fails the load before any element is made.
    QHash<int, QImage> images;
    QHash<QByteArray, QImage> decoded;
    for (const PictureRow &picture : stored.pictures) {
        auto it = decoded.find(picture.data);
        if (it == decoded.end()) {
            const QImage image = PictureCodec::decode(picture.data, picture.fileName);
            if (image.isNull())
                throw RuntimeError(RuntimeError::TemplateDataCorrupt,
                                   QStringLiteral("%1（对象 %2）")
                                       .arg(QLatin1String(StoreTables::Pictures))
                                       .arg(picture.nID));
            it = decoded.insert(picture.data, image);
        }
        images.insert(picture.nID, *it);
    }

    stored.row.applyTo(fresh);
    for (const ObjectRow &row : stored.objects) {
        const auto picture = stored.pictures.constFind(row.nID);
        if (picture == stored.pictures.cend())
            row.applyTo(fresh.mObjs, QImage(), QByteArray());
        else
            row.applyTo(fresh.mObjs, images.value(row.nID), picture->data);
    }
}

QList<TemplateEntry> TemplateStore::templates(int16_t categoryID) const
{
    d->reconnectIfLost();
    QSqlQuery &query = d->prepared(SelectTemplates);
    query.bindValue(0, categoryID);
    d->exec(query);
    static const char *const names[] = {"FID", "Name"};
    QList<TemplateEntry> list;
    while (query.next()) {
        const RowReader r(query, StoreTables::Templates, names, QString());
        list.append({int16_t(r.integer(0, 1, MaxTemplateID)), r.text(1)});
    }
    query.finish();
    return list;
}

bool TemplateStore::nameExists(int16_t categoryID, const QString &name, int16_t ignoreID) const
{
    d->reconnectIfLost();
    QSqlQuery &query = d->prepared(CountName);
    query.bindValue(0, categoryID);
    query.bindValue(1, name);
    query.bindValue(2, ignoreID);
    d->exec(query);
    const bool exists = query.next() && query.value(0).toInt() > 0;
    query.finish();
    return exists;
}

SaveResult TemplateStore::save(BillTemplate &bill)
{
    d->reconnectIfLost();
    return d->write(bill, bill.mID, bill.Caption, bill.mScreenID);
}

void TemplateStore::saveAs(BillTemplate &bill, const QString &name, int16_t categoryID)
{
    d->reconnectIfLost();
    d->write(bill, 0, name, categoryID);
}

void TemplateStore::load(int16_t id, BillTemplate &fresh)
{
    d->reconnectIfLost();
    if (!isFresh(fresh))
        throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("TemplateStore::load"));
    const StoredTemplate stored = d->read(id);
    Private::apply(stored, fresh);
    // Only a whole template claims its id.
    fresh.mID = id;
    fresh.mRevision = stored.row.revision;
}

bool TemplateStore::remove(int16_t id)
{
    d->reconnectIfLost();
    StoreTransaction transaction(d->db, StoreTransaction::Write, d->waitNotice);
    QSqlQuery &query = d->prepared(DeleteTemplate);
    query.bindValue(0, id);
    d->exec(query);
    const bool existed = query.numRowsAffected() > 0;
    d->deleteRows(DeleteObjects, id);
    d->deleteRows(DeletePictures, id);
    transaction.commit();
    return existed;
}

QDateTime TemplateStore::savedAt(int16_t id) const
{
    d->reconnectIfLost();
    QSqlQuery &query = d->prepared(SelectSavedAt);
    query.bindValue(0, id);
    d->exec(query);
    const QString text = query.next() ? query.value(0).toString() : QString();
    query.finish();
    // Written with its "Z", so it reads back as UTC.
    return QDateTime::fromString(text, Qt::ISODateWithMs);
}
