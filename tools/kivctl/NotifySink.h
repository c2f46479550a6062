// The sink `kivctl watch-dir` registers with IKivVolume::AddChangeNotification: Kivlink calls
// OnChange with the folder path of the registration when it changed that folder.
#pragma once

#include <string>

#include "com/ComObject.h"

#include "KivlinkLib.h"

class IKivctlChangeObserver {
public:
    virtual void OnFolderChanged(const std::wstring& path) = 0;

protected:
    ~IKivctlChangeObserver() = default;
};

class CKivctlNotifySink : public IKivNotifySink {
public:
    using interface_map = tolv::com::interface_map<IKivNotifySink>;

    // Changes that arrive while no observer is set are dropped. The observer must outlive
    // its setting; clear it before it goes.
    void SetObserver(IKivctlChangeObserver* observer) { m_observer = observer; }

    HRESULT STDMETHODCALLTYPE OnChange(BSTR path) override;

private:
    IKivctlChangeObserver* m_observer = nullptr;
};
