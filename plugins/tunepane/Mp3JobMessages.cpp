#include "Mp3JobMessages.h"

#include "plugins/common/ModuleTexts.h"
#include "TunepaneStringIds.h"

#include "resources/IModuleResource.h"
#include "ui/MessageBoxSeam.h"

#include <string>

namespace tolv::tunepane {

namespace {

constexpr UINT kWarning = MB_OK | MB_ICONWARNING | MB_SYSTEMMODAL;

}  // namespace

void ShowNoMp3Found(IModuleResource& texts)
{
    tolv::ui::ShowMessageBox(nullptr, plugins::AnsiText(texts, IDS_NO_MP3_FOUND).c_str(),
                             plugins::AnsiText(texts, IDS_YOUR_PC).c_str(), kWarning);
}

void ShowLowMemory(IModuleResource& texts)
{
    const std::string caption =
        plugins::AnsiText(texts, IDS_YOUR_PHONE) + " - " + plugins::AnsiText(texts, IDS_TASK_NAME);
    tolv::ui::ShowMessageBox(nullptr, plugins::AnsiText(texts, IDS_LOW_MEMORY).c_str(), caption.c_str(), kWarning);
}

}  // namespace tolv::tunepane
