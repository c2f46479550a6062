#pragma once
// The progress dialog of a photo download ("Copy photos to PC", dialog 201): the shared
// transfer dialog (plugins/common/TransferProgressDialog.h) with the photos' copy from one
// phone folder into one PC folder.
#include "plugins/common/TransferProgressDialog.h"
#include "plugins/photopane/PhotoDevice.h"
#include "plugins/photopane/PhotoJobSite.h"

#include <windows.h>

#include <map>
#include <string>

class CTolvTrace;
class IModuleResource;

namespace tolv::photopane {

class CPhotoProgressDialog final : public plugins::CTransferProgressDialog {
public:
    // `resources`: the module with dialog 201 and animation 204. `texts` and `trace` (may be
    // null) must outlive the dialog.
    CPhotoProgressDialog(HINSTANCE resources, IModuleResource& texts, CTolvTrace* trace);

    // The page the transfer stops for when the host no longer reports the phone; null: none.
    // It must outlive the dialog; the transfer thread reads it.
    void SetPage(const IPhotoJobSite* page) { m_page = page; }
    // The phone folder the photos come from ("E:\Images") and the PC folder they go to.
    void SetFolders(std::wstring phoneFolder, std::wstring pcFolder);
    // The photos' names in the phone folder, in copy order.
    void SetPhotos(std::map<int, std::wstring> photos) { m_photos = std::move(photos); }
    // The settings' radio indexes: 1 keeps existing PC files, 1 deletes the originals.
    void SetChoices(int overwrite, int move);

private:
    HRESULT CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume) override;
    void BeginTransfer(IKivVolume2* volume) override;
    void Transfer(IKivVolume2* volume) override;
    void EndTransfer() override;
    std::wstring SourceOf(const std::wstring& name) const;

    IModuleResource& m_texts;
    const IPhotoJobSite* m_page = nullptr;
    std::wstring m_phoneFolder;
    std::wstring m_pcFolder;
    std::map<int, std::wstring> m_photos;
    int m_overwrite = 0;
    int m_move = 0;
    // Used by the transfer thread only.
    CPhotoDevice m_device;
};

}  // namespace tolv::photopane
