// The plug-ins the host has connected, in the order of their names: each one's IHostPlugIn,
// the commands it registered, its cookie, its button's text and tool tip, and its pages' place
// in the page list. It answers the host object's callbacks (IHostCallbacks).
//
// Owns the references to the plug-ins and their commands until DisconnectAll. Threads: the
// host's main thread (single-threaded apartment), like every plug-in object it holds.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "HostLib.h"
#include "com/ComPtr.h"
#include "platform/host/HostApplication.h"
#include "platform/host/PlugInRegistry.h"
#include "platform/pageframe/PageList.h"

namespace host {

struct ConnectedPlugIn {
    std::wstring name;
    long cookie = 0;
    tolv::com::com_ptr<IHostPlugIn> plugIn;
    tolv::com::com_ptr<IHostCommands> commands;
    // The plug-in's title when it gives one, else its name.
    std::wstring buttonText;
    std::wstring toolTip;
    size_t firstPage = 0;
    size_t pageCount = 0;
};

class CPlugInSet final : public IHostCallbacks {
public:
    explicit CPlugInSet(pageframe::CPageList& pages) noexcept : m_pages(pages) {}
    ~CPlugInSet();
    CPlugInSet(const CPlugInSet&) = delete;
    CPlugInSet& operator=(const CPlugInSet&) = delete;

    // Creates and connects each plug-in with `host` (the host object's IUnknown); one that
    // cannot be created, refuses the connection or registers no commands is traced and left out.
    void ConnectAll(const std::vector<PlugInEntry>& entries, IUnknown* host);
    // Each plug-in's pages through its CollectPropertyPages, into the page list; its button's
    // text and tool tip.
    void CollectPages(IHostPageCollector* collector);
    // The plug-ins' EnableToolButton answers for a phone of `model` (empty: none), in order.
    std::vector<bool> EnableFor(const std::wstring& model);
    // False when one plug-in answers VARIANT_FALSE; every plug-in is asked.
    bool CanCloseAll();
    HRESULT Show(size_t index);
    // OnDisconnection on each and every reference let go.
    void DisconnectAll();

    const std::vector<ConnectedPlugIn>& PlugIns() const noexcept { return m_plugIns; }
    // The index of the plug-in of that name (case ignored), or size() when none.
    size_t IndexOf(const std::wstring& name) const noexcept;
    size_t size() const noexcept { return m_plugIns.size(); }
    void SetMainWindow(HWND window) noexcept { m_mainWindow = window; }

    // IHostCallbacks
    HRESULT OnRegisterCommands(IDispatch* commands, long cookie) override;
    HRESULT OnAddPage(IUnknown* page) override;
    long PageCount() const override;
    HWND MainWindow() const override { return m_mainWindow; }

private:
    HRESULT Connect(const PlugInEntry& entry, IUnknown* host);
    void DescribeButton(ConnectedPlugIn& plugIn);

    pageframe::CPageList& m_pages;
    std::vector<ConnectedPlugIn> m_plugIns;
    long m_nextCookie = 1;
    HWND m_mainWindow = nullptr;
};

}  // namespace host
