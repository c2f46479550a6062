// CPropertyPageBase: one OLE property page around a dialog resource, the base of the plug-ins'
// pages. The host's frame creates the page, hands it its site, asks its page information,
// activates it inside its own window, and calls Apply; a derived page brings the dialog and
// its behaviour:
//
//     class CMyPage : public tolv::plugins::CPropertyPageBase {
//     public:
//         CMyPage() : CPropertyPageBase(kMyDialogId, kMyTitleStringId) {}
//     protected:
//         bool OnInitDialog() override;                    // fill the controls
//         bool OnCommand(WORD id, WORD code, HWND control) override;   // SetDirty(true) on edits
//         HRESULT OnApply() override;                      // store the settings
//     };
//
// and is made a COM class through tolv::com::ClassEntryFor<CMyPage>(CLSID_MyPage). The dialog
// template must be a child control (WS_CHILD | DS_CONTROL, no caption or border).
//
// Threads: a page belongs to the thread of the frame that shows it (the host's user-interface
// thread); its dialog runs there. Nothing here locks.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "ui/UniqueWindow.h"

namespace tolv::plugins {

class CPropertyPageBase : public IPropertyPage2 {
public:
    using interface_map = tolv::com::interface_map<IPropertyPage2, tolv::com::entry_via<IPropertyPage, IPropertyPage2>>;

    // The dialog and title string come from `resources`, by default the module this code is
    // linked into (the plug-in's own DLL).
    CPropertyPageBase(UINT dialogId, UINT titleStringId, HINSTANCE resources = nullptr) noexcept;
    virtual ~CPropertyPageBase();
    CPropertyPageBase(const CPropertyPageBase&) = delete;
    CPropertyPageBase& operator=(const CPropertyPageBase&) = delete;

    // IPropertyPage
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;
    // IPropertyPage2
    HRESULT STDMETHODCALLTYPE EditProperty(DISPID dispid) override;

    // The page information's document string (the MP3 page reports the host's page name).
    void SetDocString(std::wstring text) { m_docString = std::move(text); }
    void SetHelpFile(std::wstring path) { m_helpFile = std::move(path); }

    // Marks the page modified or not; a change reaches the site (PROPPAGESTATUS_DIRTY, or
    // PROPPAGESTATUS_CLEAN), which enables or disables the frame's Apply button.
    void SetDirty(bool dirty);
    bool IsDirty() const noexcept { return m_dirty; }

    // The page's dialog while it is active, else null.
    HWND Window() const noexcept { return m_window.get(); }
    HWND Control(int id) const noexcept { return GetDlgItem(m_window.get(), id); }
    HINSTANCE Resources() const noexcept { return m_resources; }
    // A text of the resources' string table; empty when there is none.
    std::wstring LoadText(UINT id) const;

protected:
    // The page's title in its tab; by default the title string.
    virtual std::wstring Title() const;
    // WM_INITDIALOG; true lets the dialog manager set the focus.
    virtual bool OnInitDialog() { return true; }
    // WM_COMMAND from a control or menu; true when handled.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; true when handled, `result` then goes back to the sender.
    virtual bool OnNotify(const NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    // Any other message; true when handled.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/)
    {
        return false;
    }
    // WM_DESTROY: the last moment the controls exist.
    virtual void OnDestroy() {}
    // The frame's Apply or OK. A success clears the modified state; a failure keeps it, and the
    // frame keeps the page open.
    virtual HRESULT OnApply() { return S_OK; }
    // The frame's Help button; E_NOTIMPL lets the frame open the help file of the page information.
    virtual HRESULT OnHelp(LPCOLESTR /*helpDir*/) { return E_NOTIMPL; }

    IPropertyPageSite* Site() const noexcept { return m_site.get(); }
    // The objects the frame gave the page to edit.
    const std::vector<tolv::com::com_ptr<IUnknown>>& Objects() const noexcept { return m_objects; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_dialogId;
    UINT m_titleStringId;
    HINSTANCE m_resources;
    std::wstring m_docString;
    std::wstring m_helpFile;
    bool m_dirty = false;
    tolv::com::com_ptr<IPropertyPageSite> m_site;
    std::vector<tolv::com::com_ptr<IUnknown>> m_objects;
    tolv::ui::unique_window m_window;
};

}  // namespace tolv::plugins
