// A property page built on the plug-ins' page base, for the tests of the base and of the page
// frame: three controls that mark it modified, a label counting the applies, and a button that
// opens the folder chooser.
#pragma once

#include "plugins/common/PropertyPageBase.h"

class CSamplePage : public tolv::plugins::CPropertyPageBase {
public:
    CSamplePage();

protected:
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    HRESULT OnApply() override;

private:
    void ShowApplied();

    int m_applied = 0;
};
