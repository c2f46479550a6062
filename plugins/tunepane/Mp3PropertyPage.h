#pragma once
// CMp3PropertyPage: the MP3 plug-in's property page. The user builds the list of MP3 folders
// and files on the PC, sets how much of the phone's card stays free, random or whole selection
// and whether the phone folder is emptied first, sees the phone's folder and card capacity, and
// starts the upload. The settings live per user in a CMp3SettingsStore.
//
// The library creates one per plug-in and keeps it as a COM object:
//
//     tolv::com::com_ptr<tolv::com::ComObject<CMp3PropertyPage>> page;
//     RETURN_IF_FAILED(tolv::com::ComObject<CMp3PropertyPage>::Create(page, texts, CurrentUserStore(module,
//                      texts), trace, module));
//     page->SetDocString(pageNameFromTheHost);
//     page->AttachUpload(CreateMp3Upload(*page, texts, trace, module));
//
// and hands the host its IUnknown (it answers IPropertyPage and IPropertyPage2).
//
// Threads: the page belongs to the host's user-interface thread (its dialog runs there).
// Refreshes of the phone side run on worker threads, one at a time (RefreshSerializer.h), and
// reach the controls through the window manager; the fields they share with the window thread
// and with a running job (IMp3JobSite, called from the job's thread) are guarded by one lock.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "KivlinkLib.h"
#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "plugins/common/PropertyPageBase.h"
#include "plugins/common/RefreshSerializer.h"
#include "plugins/tunepane/Mp3JobSite.h"
#include "plugins/tunepane/Mp3PageTexts.h"
#include "plugins/tunepane/Mp3Selection.h"
#include "plugins/tunepane/Mp3SettingsStore.h"
#include "plugins/tunepane/Mp3Upload.h"
#include "plugins/tunepane/PageOwners.h"

class CTolvTrace;
class IModuleResource;

namespace tolv::tunepane {

// The help file the page information names.
inline constexpr wchar_t kMp3PageHelpFile[] =
    L"ms-its:HelpFile_PLR_Mp3_to_Phone.chm::/HelpFile_PLR_Mp3_to_Phone/Mp3_to_Phone.htm";
// The registered window message that refreshes the phone side at once, with the wait cursor.
inline constexpr wchar_t kUpdateMp3PageMessage[] = L"MSG_Update_Mp3_Page";

class CMp3PropertyPage : public plugins::CPropertyPageBase, public IMp3JobSite {
public:
    // `texts`: the plug-in's texts in the user's language, read here once. `trace` (may be
    // null) must outlive the page. `resources`: the module with dialog 110, icons 211 and 212
    // and menu 213 (res/Mp3Page.rc); null for the module this code is linked into.
    CMp3PropertyPage(IModuleResource& texts, CMp3SettingsStore store, CTolvTrace* trace, HINSTANCE resources = nullptr);
    ~CMp3PropertyPage() override;

    // The upload job that Load, StartScheduler and JobRunning reach; the page owns it.
    void AttachUpload(std::unique_ptr<IMp3Upload> upload);
    // The whole job on the calling thread (never the page's window thread); kJobFailed
    // without an attached job.
    Mp3JobResult StartScheduler(bool isButton);
    bool JobRunning() const;

    // Set by the library while the host reports a phone of the supported model; a refresh
    // asks the phone only then.
    void SetFrameworkConnected(bool connected) noexcept { m_frameworkConnected = connected; }
    // Schedules a refresh of the phone side on a worker thread; nothing once disconnected.
    void StartPageUpdata();
    // The host's disconnection: no refresh starts any more, running ones skip what is left;
    // waits up to five seconds for them to end.
    void OnDisconnection();

    // Adds a row at the end, or refuses a duplicate with its warning; true when added.
    bool InsertDat(const Mp3Row& row);
    // The selection as the page holds it now.
    std::vector<Mp3Row> Rows() const;
    // The result of the last refresh.
    bool Connected() const;

    // IMp3JobSite
    Mp3Settings ReadSettings() override;
    std::wstring LastTargetPath() const override;
    HWND LoadButton() const override;
    bool FrameworkConnected() const override { return m_frameworkConnected; }
    bool Disconnected() const override { return m_refresh.Disconnected(); }

protected:
    std::wstring Title() const override { return m_texts.title; }
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(const NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroy() override;
    HRESULT OnApply() override;

    // The refresh's own proxy object, on the refreshing thread; tests put a fake in its place.
    virtual HRESULT CreateVolume(tolv::com::com_ptr<IKivVolume2>& volume);

private:
    void SetControlTexts();
    void CreateLoadFont();
    void CreateListColumnsAndImages();

    // One refresh: the controls the user edits are disabled meanwhile.
    void RefreshPhoneSide();
    // The refresh body: settings into the controls, then the phone's state.
    void TransferUpdataThread();
    void ShowSettings(const Mp3Settings& settings);
    void FillList(const std::vector<Mp3Row>& rows);
    void ShowFreeMemory(int percentage);

    void AddFolder();
    void AddFiles();
    void ChangeSelectedRow();
    void DeleteSelectedRows();
    void ShowListMenu();
    void OnSliderMoved();
    void StartLoad();
    std::vector<size_t> SelectedRows() const;
    // Runs `edit` on the selection under the lock; when it answers true, shows the rows and
    // marks the page modified.
    bool EditSelection(const std::function<bool(CMp3Selection&)>& edit);
    bool RowAt(size_t index, Mp3Row& row) const;
    HRESULT ChooseMp3Folder(const std::wstring& start, std::wstring& folder) const;
    void WarnAlreadyInList() const;
    Mp3Settings SettingsFromControls() const;

    HWND Dialog() const noexcept { return m_dialog.load(); }
    HWND DialogControl(int id) const noexcept { return GetDlgItem(m_dialog.load(), id); }

    const Mp3PageTexts m_texts;
    const CMp3SettingsStore m_store;
    CTolvTrace* m_trace;
    std::unique_ptr<IMp3Upload> m_upload;

    // Shared with the refresh workers and the job: guarded by m_lock.
    mutable tolv::com::critical_section m_lock;
    Mp3Settings m_settings;  // rows kept apart, in m_selection
    CMp3Selection m_selection;
    std::wstring m_targetPath;
    long m_freeSpace = 0;
    long m_capacity = 0;
    bool m_connected = false;

    std::atomic<int> m_lastMemoryToFill{0};  // as shown by the last refresh or slider move
    std::atomic<bool> m_frameworkConnected{false};
    std::atomic<HWND> m_dialog{nullptr};
    plugins::CRefreshSerializer m_refresh;
    unique_font m_loadFont;
    unique_image_list m_rowImages;
};

}  // namespace tolv::tunepane
