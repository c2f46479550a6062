#include "plugins/common/CannotCloseBox.h"

#include "plugins/common/DetachedThread.h"
#include "ui/MessageBoxSeam.h"

namespace tolv::plugins {

void ShowMessageBoxOnNewThread(std::wstring text, std::wstring caption, UINT type)
{
    StartDetachedThread([text = std::move(text), caption = std::move(caption),
                         type] { tolv::ui::ShowMessageBox(nullptr, text.c_str(), caption.c_str(), type); },
                        ThreadApartment::None);
}

}  // namespace tolv::plugins
