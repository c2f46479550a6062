// Wine 8's RPC runtime can lose the wake-up that ends RpcServerUnregisterIf. COM unregisters an
// interface when the process's last stub of it goes, and waits there for the calls on it to end;
// when a client releases its object right after a call whose thread is still finishing, that wait
// can last for good. It holds COM's registration lock meanwhile, so every later marshal in the
// process (a new client's activation, a sink handed to an Advise) hangs behind it.
//
// A process that serves interfaces therefore keeps one dormant stub of each for as long as it
// serves them: COM then never unregisters them while clients come and go.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <initializer_list>
#include <vector>

#include "com/ComPtr.h"

namespace tolv::com {

class stub_registration_keeper {
public:
    stub_registration_keeper() = default;
    ~stub_registration_keeper() { release(); }
    stub_registration_keeper(const stub_registration_keeper&) = delete;
    stub_registration_keeper& operator=(const stub_registration_keeper&) = delete;

    // Marshals a dormant object once for each interface (table-strong) and keeps the data.
    // The data is never handed out, so no call ever reaches the dormant object. Returns the
    // first failure; the interfaces that could be kept are kept all the same.
    HRESULT keep(std::initializer_list<IID> interfaces) noexcept;
    // Lets the stubs go again; from the apartment that kept them, before it ends.
    void release() noexcept;

    size_t kept_count() const noexcept { return m_marshalled.size(); }

private:
    std::vector<com_ptr<IStream>> m_marshalled;
};

}  // namespace tolv::com
