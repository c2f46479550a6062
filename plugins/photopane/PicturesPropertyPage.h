#pragma once
// CPicturesPropertyPage: the photo plug-in's property page. The user chooses the PC folder that
// receives the photos, the phone folder they come from, whether files on the PC are overwritten
// and whether the originals stay on the phone, and starts the download. The settings live per
// user in a CPhotoSettingsStore.
//
// The library creates one per plug-in and keeps it as a COM object:
//
//     tolv::com::com_ptr<tolv::com::ComObject<CPicturesPropertyPage>> page;
//     RETURN_IF_FAILED(tolv::com::ComObject<CPicturesPropertyPage>::Create(page, texts,
//                      CPhotoSettingsStore::ForCurrentUser(), trace, module));
//     page->SetDocString(pageNameFromTheHost);
//     page->AttachDownload(CreatePhotoDownload(*page, texts, trace, module));
//
// and hands the host its IUnknown (it answers IPropertyPage and IPropertyPage2).
//
// Threads: the page belongs to the host's user-interface thread (its dialog and both folder
// choosers run there). Refreshes of the phone side run on worker threads, one at a time
// (plugins/common/RefreshSerializer.h), and reach the controls through the window manager; the
// fields they share with the window thread and with a running job (IPhotoJobSite, called from
// the job's thread) are guarded by one lock.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "KivlinkLib.h"
#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "plugins/common/PropertyPageBase.h"
#include "plugins/common/RefreshSerializer.h"
#include "plugins/photopane/PhotoDownload.h"
#include "plugins/photopane/PhotoSettingsStore.h"
#include "resources/ResourceOwners.h"

class CTolvTrace;
class IModuleResource;

namespace tolv::photopane {

// The help file the page information names.
inline constexpr wchar_t kPicturesPageHelpFile[] =
    L"ms-its:HelpFile_PLR_Photos_to_PC.chm::/HelpFile_PLR_Photos_to_PC/Photos_to_PC.htm";
// The registered window message that refreshes the phone side at once, with the wait cursor.
inline constexpr wchar_t kUpdatePicturesPageMessage[] = L"MSG_Update_Pictures_Page";

class CPicturesPropertyPage : public plugins::CPropertyPageBase, public IPhotoJobSite {
public:
    // `texts`: the plug-in's texts in the user's language; it and `trace` (may be null) must
    // outlive the page. `resources`: the module with dialog 110 (res/PicturesPage.rc) and the
    // phone-folder chooser; null for the module this code is linked into.
    CPicturesPropertyPage(IModuleResource& texts, CPhotoSettingsStore store, CTolvTrace* trace,
                          HINSTANCE resources = nullptr);
    ~CPicturesPropertyPage() override;

    // The download job that the button, StartScheduler and JobRunning reach; the page owns it.
    void AttachDownload(std::unique_ptr<IPhotoDownload> download);
    // The whole job on the calling thread (never the page's window thread); kJobFailed
    // without an attached job.
    plugins::TransferJobResult StartScheduler(bool isButton);
    bool JobRunning() const;

    // Set by the library while the host reports a phone of the supported model; a refresh
    // asks the phone only then.
    void SetFrameworkConnected(bool connected) noexcept { m_frameworkConnected = connected; }
    // Schedules a refresh of the phone side on a worker thread; nothing once disconnected.
    void StartPageUpdata();
    // The host's disconnection: no refresh starts any more, running ones skip what is left;
    // waits up to five seconds for them to end.
    void OnDisconnection();
    // The result of the last refresh.
    bool Connected() const;

    // IPhotoJobSite
    PhotoSettings ReadSettings() override;
    std::wstring LastPhoneFolder() const override;
    HWND DownloadButton() const override;
    bool FrameworkConnected() const override { return m_frameworkConnected; }
    bool Disconnected() const override { return m_refresh.Disconnected(); }

protected:
    std::wstring Title() const override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    HRESULT OnApply() override;

    // A proxy object of the calling thread (a refresh worker, the window thread for the
    // phone-folder chooser); tests put a fake in its place.
    virtual HRESULT CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume);

private:
    void SetControlTexts();
    // The refresh body: settings into the controls, then the phone's state and folder.
    void TransferUpdataThread();
    void ShowSettings(const PhotoSettings& settings);
    void ChoosePcFolder();
    void ChoosePhoneFolder();
    void StartDownload();
    PhotoSettings SettingsFromControls() const;
    std::wstring Text(UINT id) const;

    HWND Dialog() const noexcept { return m_dialog.load(); }
    HWND DialogControl(int id) const noexcept { return GetDlgItem(m_dialog.load(), id); }

    IModuleResource& m_texts;
    const CPhotoSettingsStore m_store;
    CTolvTrace* m_trace;
    std::unique_ptr<IPhotoDownload> m_download;

    // Shared with the refresh workers and the job: guarded by m_lock.
    mutable tolv::com::critical_section m_lock;
    PhotoSettings m_settings;
    std::wstring m_phoneFolder;
    bool m_connected = false;

    std::atomic<bool> m_frameworkConnected{false};
    std::atomic<HWND> m_dialog{nullptr};
    plugins::CRefreshSerializer m_refresh;
    tolv::resources::unique_font m_downloadFont;
};

}  // namespace tolv::photopane
