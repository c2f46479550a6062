// Connection points: ConnectionPoint (IConnectionPoint with a dynamic sink list) and the
// ConnectionPointContainer base of a connectable object.
//
// Sinks are kept in the order they were advised. Each Advise hands out a cookie never handed
// out before by this point, so a stale Unadvise (a client that unadvises twice, or late) can
// never remove another client's sink; after 2^32 - 1 advises the point refuses more.
//
//     class CThing : public IThing, public ConnectionPointContainer {
//     public:
//         using interface_map = tolv::com::interface_map<IThing, IConnectionPointContainer>;
//         CThing() : m_events(AddConnectionPoint(DIID_IThingEvents)) {}
//         void FireChanged() { m_events.ForEachSink<IDispatch>([&](IDispatch* sink) { ... }); }
//     private:
//         ConnectionPoint& m_events;
//     };
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include "com/ComPtr.h"
#include "com/CriticalSection.h"
#include "com/DispatchArguments.h"
#include "com/HResult.h"

namespace tolv::com {

class ConnectionPoint final : public IConnectionPoint {
public:
    // The point lives inside its container and shares the container's reference count.
    ConnectionPoint(IConnectionPointContainer& container, REFIID sinkIid) noexcept;
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** result) override;
    // The sink must answer the point's interface (for an event dispinterface, its IID).
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** result) override;

    const IID& SinkIid() const noexcept { return m_sinkIid; }
    size_t SinkCount() const noexcept;

    // The advised sinks in list order, each with its own reference, taken under the lock
    // so that calls to them can be made outside it. Sink is the point's interface, or
    // IDispatch for an event dispinterface.
    template <class Sink>
    HRESULT Sinks(std::vector<com_ptr<Sink>>& result) const noexcept
    {
        result.clear();
        if (!std::is_same_v<Sink, IDispatch> && !InlineIsEqualGUID(__uuidof(Sink), m_sinkIid)) {
            return E_NOINTERFACE;
        }
        std::vector<com_ptr<IUnknown>> sinks;
        RETURN_IF_FAILED(Snapshot(sinks));
        try {
            result.reserve(sinks.size());
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        for (com_ptr<IUnknown>& sink : sinks) {
            // Stored as answered by the sink's query for the point's interface.
            com_ptr<Sink> typed;
            typed.attach(static_cast<Sink*>(sink.detach()));
            result.push_back(std::move(typed));
        }
        return S_OK;
    }

    // Calls `call(Sink*)` for every sink of a snapshot, outside the lock.
    template <class Sink, class Call>
    HRESULT ForEachSink(Call&& call) const noexcept
    {
        std::vector<com_ptr<Sink>> sinks;
        const HRESULT hr = Sinks(sinks);
        if (FAILED(hr)) {
            return hr;
        }
        for (const com_ptr<Sink>& sink : sinks) {
            call(sink.get());
        }
        return S_OK;
    }

    // Sends an event to every IDispatch sink; the sinks' results are ignored.
    HRESULT FireDispatch(DISPID id, DispatchArguments& arguments) const noexcept;

private:
    HRESULT Snapshot(std::vector<com_ptr<IUnknown>>& result) const noexcept;

    IConnectionPointContainer& m_container;
    const IID m_sinkIid;
    struct Connection {
        com_ptr<IUnknown> sink;
        DWORD cookie;
    };

    mutable critical_section m_lock;
    std::vector<Connection> m_connections;
    DWORD m_lastCookie = 0;
};

// Base of a connectable object: owns its connection points, answers
// IConnectionPointContainer. Points are added in the object's constructor only.
class ConnectionPointContainer : public IConnectionPointContainer {
public:
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID sinkIid, IConnectionPoint** result) override;

protected:
    ConnectionPointContainer() = default;
    ~ConnectionPointContainer() = default;

    // May throw std::bad_alloc, like any allocation in a constructor; ComObject<T>::Create
    // turns that into E_OUTOFMEMORY.
    ConnectionPoint& AddConnectionPoint(REFIID sinkIid);
    ConnectionPoint* ConnectionPointFor(REFIID sinkIid) const noexcept;

private:
    std::vector<std::unique_ptr<ConnectionPoint>> m_points;
};

}  // namespace tolv::com
