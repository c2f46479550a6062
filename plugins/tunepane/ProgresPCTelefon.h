#pragma once
// The progress dialog of an upload ("Copy MP3 to phone", dialog 206): the shared transfer
// dialog (plugins/common/TransferProgressDialog.h) with the MP3 files' copy to the phone.
#include "plugins/common/TransferProgressDialog.h"
#include "plugins/tunepane/Mp3Device.h"
#include "plugins/tunepane/Mp3JobSite.h"
#include "plugins/tunepane/Mp3TransferRecord.h"

#include <windows.h>

#include <string>

class CTolvTrace;
class IModuleResource;

namespace tolv::tunepane {

class CProgresPCTelefon final : public plugins::CTransferProgressDialog {
public:
    // `resources`: the module with dialog 206 and animation 209. `texts` and `trace` (may be
    // null) must outlive the dialog.
    CProgresPCTelefon(HINSTANCE resources, IModuleResource& texts, CTolvTrace* trace);

    // The page the transfer stops for when the host no longer reports the phone; null: none.
    // It must outlive the dialog; the transfer thread reads it.
    void SetPage(const IMp3JobSite* page) { m_page = page; }
    // The files and the phone folder they go to ("E:\Mp3\", with the trailing backslash).
    void SetTransfer(std::wstring targetFolder, Mp3TransferList list);

private:
    HRESULT CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume) override;
    void BeginTransfer(IKivVolume2* volume) override;
    void Transfer(IKivVolume2* volume) override;
    void EndTransfer() override;
    void CopyAll();

    IModuleResource& m_texts;
    const IMp3JobSite* m_page = nullptr;
    std::wstring m_targetFolder;
    Mp3TransferList m_list;
    // Used by the transfer thread only.
    CMp3Device m_device;
};

}  // namespace tolv::tunepane
