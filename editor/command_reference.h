// The command reference of the command-assist dialog: every template a user
// can insert, by category, each with a one-line Japanese explanation.
#pragma once
#include <cstddef>
#include <span>
#include <string>

namespace kav::editor {

struct ReferenceEntry {
    const char* text;         // the template, inserted byte for byte
    const char* explanation;  // one line, shown under the list
};

// What an inserted template is followed by.
enum class TemplateEnd {
    LineEnd,      // CR LF: a statement on a line of its own
    SectionBody,  // CR LF and an empty brace pair: the skeleton of a section
    Nothing,      // a name used inside an expression
};

struct ReferenceCategory {
    const char* name;
    std::span<const ReferenceEntry> entries;
    TemplateEnd end;
};

// The categories in the order of the dialog's list.
std::span<const ReferenceCategory> commandReference();

// The text inserted for an entry of a category: its template and the category's end.
std::string insertedText(const ReferenceCategory& category, size_t entry);

}  // namespace kav::editor
