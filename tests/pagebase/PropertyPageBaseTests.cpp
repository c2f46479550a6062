// The page base as a frame sees it: the sample page created in process from its registration.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>
#include <ocidl.h>

#include "com/ComInit.h"
#include "com/ComPtr.h"
#include "com/UniqueCoTaskMem.h"
#include "tests/pagebase/PageTestHelpers.h"
#include "tests/pagebase/SamplePageClass.h"

using tolv::com::com_ptr;
using tolv::com::unique_cotaskmem_string;

class PageBaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_com.succeeded());
        ASSERT_EQ(
            CoCreateInstance(kSamplePageClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage2, m_page.put_void()),
            S_OK);
        ASSERT_EQ(tolv::com::ComObject<CRecordingSite>::Create(m_site), S_OK);
        ASSERT_EQ(m_page->SetPageSite(m_site.get()), S_OK);
        m_host = MakeHostWindow();
        ASSERT_TRUE(m_host);
    }
    void TearDown() override
    {
        if (m_page && PageWindow() != nullptr) {
            m_page->Deactivate();
        }
        if (m_page) {
            m_page->SetPageSite(nullptr);
        }
        m_page = nullptr;
        m_host.reset();
    }

    void Activate()
    {
        const RECT area{10, 10, 400, 300};
        ASSERT_EQ(m_page->Activate(m_host.get(), &area, FALSE), S_OK);
        ASSERT_NE(PageWindow(), nullptr);
    }
    HWND PageWindow() const { return FindWindowExW(m_host.get(), nullptr, L"#32770", nullptr); }
    HWND Control(int id) const { return GetDlgItem(PageWindow(), id); }

    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    com_ptr<IPropertyPage2> m_page;
    com_ptr<tolv::com::ComObject<CRecordingSite>> m_site;
    tolv::ui::unique_window m_host;
};

TEST_F(PageBaseTest, PageInfoCarriesTitleHelpFileDocStringAndTheDialogsPixelSize)
{
    PROPPAGEINFO info{};
    ASSERT_EQ(m_page->GetPageInfo(&info), S_OK);
    const unique_cotaskmem_string title(info.pszTitle);
    const unique_cotaskmem_string helpFile(info.pszHelpFile);
    const unique_cotaskmem_string docString(info.pszDocString);
    EXPECT_EQ(info.cb, sizeof(PROPPAGEINFO));
    ASSERT_TRUE(title && helpFile && docString);
    EXPECT_STREQ(title.get(), kSamplePageTitle);
    EXPECT_STREQ(helpFile.get(), kSamplePageHelpFile);
    EXPECT_STREQ(docString.get(), kSamplePageDocString);
    EXPECT_EQ(info.dwHelpContext, 0u);

    // The size the dialog manager gives the template once the dialog exists.
    Activate();
    RECT created{0, 0, SAMPLE_PAGE_WIDTH, SAMPLE_PAGE_HEIGHT};
    ASSERT_TRUE(MapDialogRect(PageWindow(), &created));
    EXPECT_EQ(info.size.cx, created.right);
    EXPECT_EQ(info.size.cy, created.bottom);
}

TEST_F(PageBaseTest, ActivationMakesAChildDialogThatShowsMovesAndGoesWithDeactivation)
{
    Activate();
    HWND page = PageWindow();
    EXPECT_TRUE(GetWindowLongW(page, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetParent(page), m_host.get());
    EXPECT_FALSE(IsWindowVisible(page));
    EXPECT_EQ(m_page->Show(SW_SHOW), S_OK);
    EXPECT_TRUE(IsWindowVisible(page));
    EXPECT_EQ(WindowText(Control(IDC_SAMPLE_APPLIED)), L"Applied: 0");

    const RECT moved{30, 40, 330, 240};
    ASSERT_EQ(m_page->Move(&moved), S_OK);
    RECT now{};
    GetWindowRect(page, &now);
    MapWindowPoints(nullptr, m_host.get(), reinterpret_cast<POINT*>(&now), 2);
    EXPECT_EQ(now.left, moved.left);
    EXPECT_EQ(now.top, moved.top);
    EXPECT_EQ(now.right, moved.right);
    EXPECT_EQ(now.bottom, moved.bottom);

    const RECT again{0, 0, 10, 10};
    EXPECT_EQ(m_page->Activate(m_host.get(), &again, FALSE), E_UNEXPECTED);
    ASSERT_EQ(m_page->Deactivate(), S_OK);
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(m_page->Show(SW_SHOW), E_UNEXPECTED);
    EXPECT_EQ(m_page->Move(&moved), E_UNEXPECTED);
    EXPECT_EQ(m_page->Deactivate(), E_UNEXPECTED);
    // A page can be shown again after it went.
    Activate();
}

TEST_F(PageBaseTest, APageReleasedWhileShownTakesItsDialogAlong)
{
    Activate();
    HWND page = PageWindow();
    m_page = nullptr;
    EXPECT_FALSE(IsWindow(page));
    EXPECT_EQ(FindWindowExW(m_host.get(), nullptr, L"#32770", nullptr), nullptr);
}

TEST_F(PageBaseTest, AnEditTellsTheSiteOnceAndApplyRunsThePageAndCleansIt)
{
    Activate();
    EXPECT_EQ(m_page->IsPageDirty(), S_FALSE);
    SetWindowTextW(Control(IDC_SAMPLE_NAME), L"Alice");
    EXPECT_EQ(m_page->IsPageDirty(), S_OK);
    SendMessageW(Control(IDC_SAMPLE_ENABLED), BM_CLICK, 0, 0);
    ASSERT_EQ(m_site->changes.size(), 1u);
    EXPECT_EQ(m_site->changes[0], static_cast<DWORD>(PROPPAGESTATUS_DIRTY));

    EXPECT_EQ(m_page->Apply(), S_OK);
    EXPECT_EQ(WindowText(Control(IDC_SAMPLE_APPLIED)), L"Applied: 1");
    EXPECT_EQ(m_page->IsPageDirty(), S_FALSE);
    ASSERT_EQ(m_site->changes.size(), 2u);
    EXPECT_EQ(m_site->changes[1], static_cast<DWORD>(PROPPAGESTATUS_CLEAN));

    // Marked again by the next edit.
    SetWindowTextW(Control(IDC_SAMPLE_NOTE), L"note");
    EXPECT_EQ(m_page->IsPageDirty(), S_OK);
    EXPECT_EQ(m_site->changes.size(), 3u);
}

TEST_F(PageBaseTest, ARefusedApplyLeavesThePageModified)
{
    Activate();
    SetWindowTextW(Control(IDC_SAMPLE_NAME), kSampleRefusedName);
    EXPECT_EQ(m_page->Apply(), E_FAIL);
    EXPECT_EQ(m_page->IsPageDirty(), S_OK);
    EXPECT_EQ(WindowText(Control(IDC_SAMPLE_APPLIED)), L"Applied: 0");
    EXPECT_EQ(m_site->changes.size(), 1u);
}

TEST_F(PageBaseTest, TabKeysGivenToThePageMoveTheFocusThroughItsControls)
{
    Activate();
    m_page->Show(SW_SHOW);
    HWND name = Control(IDC_SAMPLE_NAME);
    SetForegroundWindow(m_host.get());
    SetFocus(name);
    ASSERT_EQ(GetFocus(), name);

    MSG tab{name, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(m_page->TranslateAccelerator(&tab), S_OK);
    EXPECT_EQ(GetFocus(), Control(IDC_SAMPLE_ENABLED));
    tab.hwnd = GetFocus();
    EXPECT_EQ(m_page->TranslateAccelerator(&tab), S_OK);
    EXPECT_EQ(GetFocus(), Control(IDC_SAMPLE_NOTE));

    // Not a key, or not the page's: the frame handles it.
    MSG paint{PageWindow(), WM_PAINT, 0, 0, 0, {}};
    EXPECT_EQ(m_page->TranslateAccelerator(&paint), S_FALSE);
    MSG elsewhere{m_host.get(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(m_page->TranslateAccelerator(&elsewhere), S_FALSE);
    EXPECT_EQ(GetFocus(), Control(IDC_SAMPLE_NOTE));
}

TEST_F(PageBaseTest, TheObjectsToEditAreHeldUntilReplaced)
{
    com_ptr<tolv::com::ComObject<CRecordingSite>> object;
    ASSERT_EQ(tolv::com::ComObject<CRecordingSite>::Create(object), S_OK);
    IUnknown* objects[] = {object.get()};
    const ULONG before = object->AddRef() - 1;
    object->Release();
    ASSERT_EQ(m_page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(object->AddRef() - 1, before + 1);
    object->Release();
    ASSERT_EQ(m_page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(object->AddRef() - 1, before);
    object->Release();
}

TEST_F(PageBaseTest, MissingArgumentsAndUnsupportedCallsAreRefused)
{
    EXPECT_EQ(m_page->GetPageInfo(nullptr), E_POINTER);
    EXPECT_EQ(m_page->TranslateAccelerator(nullptr), E_POINTER);
    EXPECT_EQ(m_page->SetObjects(1, nullptr), E_POINTER);
    EXPECT_EQ(m_page->Activate(m_host.get(), nullptr, FALSE), E_POINTER);
    EXPECT_EQ(m_page->EditProperty(DISPID_UNKNOWN), E_NOTIMPL);
    // No help of its own: the frame opens the page information's help file.
    EXPECT_EQ(m_page->Help(L"C:\\"), E_NOTIMPL);
    MSG key{nullptr, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_EQ(m_page->TranslateAccelerator(&key), S_FALSE);
    com_ptr<IPropertyPage> plain;
    EXPECT_EQ(m_page->QueryInterface(IID_IPropertyPage, plain.put_void()), S_OK);
}
