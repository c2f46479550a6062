#include "ErrorMessages.h"

#include "resources/IModuleResource.h"
#include "ui/MessageBoxSeam.h"

#include <algorithm>

namespace tolv::plugins {

bool ErrorToMessage(const ErrorMessageTable& table, IModuleResource& resources, std::string* text, HRESULT hr,
                    bool show)
{
    if (text)
        text->clear();
    const auto row = std::find_if(table.rows.begin(), table.rows.end(), [hr](const ErrorMessageRow& candidate) {
        return std::find(candidate.codes.begin(), candidate.codes.end(), hr) != candidate.codes.end();
    });
    if (row == table.rows.end())
        return false;
    std::string message;
    if (resources.LoadString(row->stringId, message) <= 0 && row->fallback)
        message = row->fallback;
    if (text)
        *text = message;
    if (show && !message.empty()) {
        std::string caption;
        resources.LoadString(table.captionId, caption);
        tolv::ui::ShowMessageBox(nullptr, message.c_str(), caption.c_str(), MB_ICONWARNING | MB_OK);
    }
    return row->fatal;
}

}  // namespace tolv::plugins
