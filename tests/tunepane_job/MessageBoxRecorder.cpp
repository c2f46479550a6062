#include "MessageBoxRecorder.h"

#include "com/CriticalSection.h"
#include "ui/MessageBoxSeam.h"

namespace {

tolv::com::critical_section g_lock;
std::vector<RecordedBox> g_boxes;

int Answer(HWND, const wchar_t* text, const wchar_t* caption, UINT type)
{
    tolv::com::auto_lock lock(g_lock);
    g_boxes.push_back({text, caption, type});
    return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder()
{
    tolv::com::auto_lock lock(g_lock);
    g_boxes.clear();
    tolv::ui::SetMessageBoxAnswerer(&Answer);
}

MessageBoxRecorder::~MessageBoxRecorder()
{
    tolv::ui::SetMessageBoxAnswerer(nullptr);
}

std::vector<RecordedBox> MessageBoxRecorder::Boxes() const
{
    tolv::com::auto_lock lock(g_lock);
    return g_boxes;
}
