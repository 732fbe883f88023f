#pragma once

#include <QStringList>

class TemplateStore;

// Moving a catalogue from one store to another (this machine's file to the
// office's server): every category and template of the source that the
// target lacks is added. Matched by name, so running it again adds nothing
// twice; a category or template whose name the target has already is left
// as the target has it, and named in the result.
namespace StoreCopy {

struct Result
{
    int categoriesAdded = 0;
    int templatesAdded = 0;
    // "类别“发货单”" and "类别“发货单”中的“上海”": kept as the target had them.
    QStringList kept;
};

// Throws RuntimeError; what was added before a failure stays added (each
// template lands whole), so running it again finishes the move.
Result copyAll(TemplateStore &from, TemplateStore &to);

} // namespace StoreCopy
