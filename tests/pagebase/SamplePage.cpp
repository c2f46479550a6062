#include "tests/pagebase/SamplePage.h"

#include <string>

#include "plugins/common/FolderChooser.h"
#include "tests/pagebase/SamplePageClass.h"

CSamplePage::CSamplePage() : CPropertyPageBase(IDD_SAMPLE_PAGE, IDS_SAMPLE_TITLE)
{
    SetDocString(kSamplePageDocString);
    SetHelpFile(kSamplePageHelpFile);
}

bool CSamplePage::OnInitDialog()
{
    ShowApplied();
    return true;
}

bool CSamplePage::OnCommand(WORD id, WORD code, HWND /*control*/)
{
    const bool edited = ((id == IDC_SAMPLE_NAME || id == IDC_SAMPLE_NOTE) && code == EN_CHANGE) ||
                        (id == IDC_SAMPLE_ENABLED && code == BN_CLICKED);
    if (edited) {
        SetDirty(true);
        return true;
    }
    if (id == IDC_SAMPLE_BROWSE && code == BN_CLICKED) {
        const tolv::plugins::FolderChooserTexts texts{L"Sample folder", L"Choose a folder", L"The path is invalid",
                                                      L"Sample folder"};
        std::wstring folder;
        if (tolv::plugins::ChooseFolder(Window(), texts, L"", folder) == S_OK) {
            SetDlgItemTextW(Window(), IDC_SAMPLE_NOTE, folder.c_str());
        }
        return true;
    }
    return false;
}

HRESULT CSamplePage::OnApply()
{
    wchar_t name[64] = {};
    GetDlgItemTextW(Window(), IDC_SAMPLE_NAME, name, static_cast<int>(std::size(name)));
    if (std::wstring(name) == kSampleRefusedName) {
        return E_FAIL;
    }
    ++m_applied;
    ShowApplied();
    return S_OK;
}

void CSamplePage::ShowApplied()
{
    wchar_t text[64] = {};
    swprintf(text, std::size(text), kSampleAppliedFormat, m_applied);
    SetDlgItemTextW(Window(), IDC_SAMPLE_APPLIED, text);
}
