#include "com/ConnectionPoint.h"

#include "com/SnapshotEnumerator.h"

#include <algorithm>

namespace tolv::com {

namespace {

struct ConnectionData {
    com_ptr<IUnknown> sink;
    DWORD cookie;
};

struct ConnectionTraits {
    static void Copy(const ConnectionData& source, CONNECTDATA& target) noexcept
    {
        target.pUnk = source.sink.get();
        target.pUnk->AddRef();
        target.dwCookie = source.cookie;
    }
};

struct PointTraits {
    static void Copy(const com_ptr<IConnectionPoint>& source, IConnectionPoint*& target) noexcept
    {
        source.copy_to(&target);
    }
};

using ConnectionEnumerator = SnapshotEnumerator<IEnumConnections, CONNECTDATA, ConnectionData, ConnectionTraits>;
using PointEnumerator =
    SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*, com_ptr<IConnectionPoint>, PointTraits>;

}  // namespace

ConnectionPoint::ConnectionPoint(IConnectionPointContainer& container, REFIID sinkIid) noexcept
    : m_container(container),
      m_sinkIid(sinkIid)
{
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::QueryInterface(REFIID iid, void** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    if (InlineIsEqualGUID(iid, IID_IUnknown) || InlineIsEqualGUID(iid, IID_IConnectionPoint)) {
        *result = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ConnectionPoint::AddRef()
{
    return m_container.AddRef();
}

ULONG STDMETHODCALLTYPE ConnectionPoint::Release()
{
    return m_container.Release();
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionInterface(IID* iid)
{
    RETURN_HR_IF_NULL(E_POINTER, iid);
    *iid = m_sinkIid;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    m_container.AddRef();
    *result = &m_container;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    RETURN_HR_IF_NULL(E_POINTER, cookie);
    *cookie = 0;
    RETURN_HR_IF_NULL(E_POINTER, sink);
    com_ptr<IUnknown> typed;
    // The query runs outside the lock: it is a call into the client.
    RETURN_HR_IF(CONNECT_E_CANNOTCONNECT, FAILED(sink->QueryInterface(m_sinkIid, typed.put_void())) || !typed);

    auto_lock lock(m_lock);
    RETURN_HR_IF(CONNECT_E_ADVISELIMIT, m_lastCookie == MAXDWORD);
    try {
        m_connections.push_back(Connection{std::move(typed), m_lastCookie + 1});
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = ++m_lastCookie;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::Unadvise(DWORD cookie)
{
    com_ptr<IUnknown> removed;
    {
        auto_lock lock(m_lock);
        auto found = std::find_if(m_connections.begin(), m_connections.end(),
                                  [cookie](const Connection& connection) { return connection.cookie == cookie; });
        RETURN_HR_IF(CONNECT_E_NOCONNECTION, cookie == 0 || found == m_connections.end());
        removed = std::move(found->sink);
        m_connections.erase(found);
    }
    // The sink's last release may call back into this point: done outside the lock.
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ConnectionPoint::EnumConnections(IEnumConnections** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    try {
        auto connections = std::make_shared<std::vector<ConnectionData>>();
        {
            auto_lock lock(m_lock);
            for (const Connection& connection : m_connections) {
                connections->push_back(ConnectionData{connection.sink, connection.cookie});
            }
        }
        return ConnectionEnumerator::Create(std::move(connections), 0, result);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

size_t ConnectionPoint::SinkCount() const noexcept
{
    auto_lock lock(m_lock);
    return m_connections.size();
}

HRESULT ConnectionPoint::Snapshot(std::vector<com_ptr<IUnknown>>& result) const noexcept
{
    result.clear();
    try {
        auto_lock lock(m_lock);
        for (const Connection& connection : m_connections) {
            result.push_back(connection.sink);
        }
    } catch (...) {
        result.clear();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT ConnectionPoint::FireDispatch(DISPID id, DispatchArguments& arguments) const noexcept
{
    return ForEachSink<IDispatch>([&](IDispatch* sink) { InvokeSink(sink, id, arguments); });
}

HRESULT STDMETHODCALLTYPE ConnectionPointContainer::EnumConnectionPoints(IEnumConnectionPoints** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    try {
        auto points = std::make_shared<std::vector<com_ptr<IConnectionPoint>>>();
        for (const std::unique_ptr<ConnectionPoint>& point : m_points) {
            points->push_back(com_ptr<IConnectionPoint>(point.get()));
        }
        return PointEnumerator::Create(std::move(points), 0, result);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT STDMETHODCALLTYPE ConnectionPointContainer::FindConnectionPoint(REFIID sinkIid, IConnectionPoint** result)
{
    RETURN_HR_IF_NULL(E_POINTER, result);
    *result = nullptr;
    ConnectionPoint* point = ConnectionPointFor(sinkIid);
    RETURN_HR_IF_NULL(CONNECT_E_NOCONNECTION, point);
    point->AddRef();
    *result = point;
    return S_OK;
}

ConnectionPoint& ConnectionPointContainer::AddConnectionPoint(REFIID sinkIid)
{
    m_points.push_back(std::make_unique<ConnectionPoint>(*this, sinkIid));
    return *m_points.back();
}

ConnectionPoint* ConnectionPointContainer::ConnectionPointFor(REFIID sinkIid) const noexcept
{
    for (const std::unique_ptr<ConnectionPoint>& point : m_points) {
        if (InlineIsEqualGUID(point->SinkIid(), sinkIid)) {
            return point.get();
        }
    }
    return nullptr;
}

}  // namespace tolv::com
