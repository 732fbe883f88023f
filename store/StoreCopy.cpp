#include "StoreCopy.h"

#include "TemplateStore.h"

#include "model/BillTemplate.h"

#include <QHash>

namespace StoreCopy {

namespace {

QHash<QString, int16_t> categoryIDs(TemplateStore &store)
{
    QHash<QString, int16_t> ids;
    for (const Category &c : store.categories())
        ids.insert(c.name, c.id);
    return ids;
}

QString categoryText(const QString &name)
{
    return QStringLiteral("类别“%1”").arg(name);
}

} // namespace

Result copyAll(TemplateStore &from, TemplateStore &to)
{
    Result result;
    QHash<QString, int16_t> targetIDs = categoryIDs(to);
    const QList<Category> categories = from.categories();
    for (const Category &source : categories) {
        int16_t target = -1;
        if (source.id == TemplateStore::DemoCategory) {
            target = TemplateStore::DemoCategory;
        } else if (const auto found = targetIDs.constFind(source.name); found != targetIDs.cend()) {
            target = *found;
            result.kept << categoryText(source.name);
        } else {
            Category added = source;
            added.id = -1;
            added.isDefault = false;
            target = to.saveCategory(added);
            targetIDs.insert(source.name, target);
            ++result.categoriesAdded;
        }
        for (const TemplateEntry &entry : from.templates(source.id)) {
            if (to.nameExists(target, entry.name)) {
                result.kept << categoryText(source.name) + QStringLiteral("中的“%1”").arg(entry.name);
                continue;
            }
            BillTemplate bill;
            from.load(entry.id, bill);
            to.saveAs(bill, entry.name, target);
            ++result.templatesAdded;
        }
    }
    return result;
}

} // namespace StoreCopy
