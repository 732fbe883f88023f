#pragma once

// What a save of a template under its own id came to. The two refusals
// write nothing, so the caller can offer to save it as a new template.
enum class SaveResult {
    Saved,
    // The stored template has been deleted meanwhile.
    TemplateGone,
    // The stored template was saved from elsewhere since this record was
    // read (or its id now belongs to another template).
    ChangedElsewhere
};
