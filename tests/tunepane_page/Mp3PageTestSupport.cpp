#include "tests/tunepane_page/Mp3PageTestSupport.h"

#include "com/CriticalSection.h"

#include "ui/MessageBoxSeam.h"

namespace {

tolv::com::critical_section g_boxesLock;
std::vector<RecordedBoxes::Box> g_boxes;

int RecordBox(HWND /*owner*/, const wchar_t* text, const wchar_t* caption, UINT /*type*/)
{
    tolv::com::auto_lock lock(g_boxesLock);
    g_boxes.push_back({text ? text : L"", caption ? caption : L""});
    return IDOK;
}

}  // namespace

TestProfile::TestProfile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    m_path = std::wstring(folder) + name + std::to_wstring(GetCurrentProcessId()) + L".ini";
    DeleteFileW(m_path.c_str());
}

TestProfile::~TestProfile()
{
    DeleteFileW(m_path.c_str());
}

std::wstring TestProfile::Value(const wchar_t* section, const wchar_t* key) const
{
    wchar_t value[512] = {};
    GetPrivateProfileStringW(section, key, L"", value, static_cast<DWORD>(std::size(value)), m_path.c_str());
    return value;
}

RecordedBoxes::RecordedBoxes()
{
    {
        tolv::com::auto_lock lock(g_boxesLock);
        g_boxes.clear();
    }
    tolv::ui::SetMessageBoxAnswerer(&RecordBox);
}

RecordedBoxes::~RecordedBoxes()
{
    tolv::ui::SetMessageBoxAnswerer(nullptr);
}

std::vector<RecordedBoxes::Box> RecordedBoxes::Boxes() const
{
    tolv::com::auto_lock lock(g_boxesLock);
    return g_boxes;
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    constexpr DWORD kSliceMs = 20;
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kSliceMs, QS_ALLINPUT);
    }
}
