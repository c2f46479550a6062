#pragma once
// What a failed transfer step tells the user: each plug-in has its own table of codes, string
// ids and whether the code ends the job; the texts come from the plug-in's resources in the
// user's language.
#include <windows.h>

#include <span>
#include <string>

class IModuleResource;

namespace tolv::plugins {

struct ErrorMessageRow {
    std::span<const HRESULT> codes;
    UINT stringId;
    bool fatal;
    // Shown when the string cannot be loaded; null: nothing then.
    const char* fallback = nullptr;
};

struct ErrorMessageTable {
    std::span<const ErrorMessageRow> rows;
    UINT captionId;
};

// The message for `hr` into `text` (when given) and, with `show`, in a warning box without
// owner under the table's caption. True when the code ends the job; a code not in the table
// gives an empty text, no box and false.
bool ErrorToMessage(const ErrorMessageTable& table, IModuleResource& resources, std::string* text, HRESULT hr,
                    bool show);

}  // namespace tolv::plugins
