#include "SCEventImp.h"

#include "KivComError.h"
#include "KivWorker.h"
#include "RequestData.h"

#include "trace/TraceResult.h"

#include <cstdio>
#include <new>
#include <string>

TOLV_TRACE_UNIT("CSCEventImp");

namespace {

volatile LONG g_sinkCounter = 0;

std::string SinkTraceName(int sinkNumber)
{
    char name[64];
    snprintf(name, sizeof(name), "Kivlink_ISCEvents%d", sinkNumber);
    return name;
}

// The arguments of one event in declaration order (DISPPARAMS holds them reversed).
class EventArguments {
public:
    EventArguments(const DISPPARAMS& params, UINT expected) : m_params(params)
    {
        if (params.cArgs != expected || (expected > 0 && !params.rgvarg))
            throw CKivComError(DISP_E_BADPARAMCOUNT, TOLV_HERE);
    }

    long Long(UINT index) const
    {
        VARIANT value = Converted(index, VT_I4);
        return value.lVal;
    }
    DATE Date(UINT index) const
    {
        VARIANT value = Converted(index, VT_DATE);
        return value.date;
    }
    bool Bool(UINT index) const
    {
        VARIANT value = Converted(index, VT_BOOL);
        return value.boolVal == VARIANT_TRUE;
    }
    CKivString Text(UINT index) const
    {
        VARIANT value = Converted(index, VT_BSTR);
        return CKivString::Attach(value.bstrVal);
    }
    VARIANT_BOOL* BoolReference(UINT index) const
    {
        const VARIANT& value = Inner(At(index));
        if (value.vt != (VT_BOOL | VT_BYREF) || !value.pboolVal)
            throw CKivComError(DISP_E_TYPEMISMATCH, TOLV_HERE);
        return value.pboolVal;
    }
    long* LongReference(UINT index) const
    {
        const VARIANT& value = Inner(At(index));
        if (value.vt != (VT_I4 | VT_BYREF) || !value.plVal)
            throw CKivComError(DISP_E_TYPEMISMATCH, TOLV_HERE);
        return reinterpret_cast<long*>(value.plVal);
    }
    const VARIANT& At(UINT index) const { return m_params.rgvarg[m_params.cArgs - 1 - index]; }

private:
    // A by-reference VARIANT holding the by-reference value, as some callers pass it.
    static const VARIANT& Inner(const VARIANT& value)
    {
        if (value.vt == (VT_VARIANT | VT_BYREF) && value.pvarVal)
            return *value.pvarVal;
        return value;
    }
    VARIANT Converted(UINT index, VARTYPE type) const
    {
        VARIANT value;
        VariantInit(&value);
        HRESULT hr = VariantChangeType(&value, const_cast<VARIANT*>(&At(index)), 0, type);
        if (FAILED(hr))
            throw CKivComError(hr, TOLV_HERE);
        return value;
    }

    const DISPPARAMS& m_params;
};

}  // namespace

CSCEventImp::CSCEventImp()
    : m_sinkNumber(static_cast<int>(InterlockedIncrement(&g_sinkCounter))),
      m_trace(SinkTraceName(m_sinkNumber).c_str(), 3, true)
{
}

CSCEventImp::~CSCEventImp() = default;

HRESULT CSCEventImp::Create(tolv::com::com_ptr<CSCEventImp>& sink)
{
    sink.reset();
    CSCEventImp* created = new (std::nothrow) CSCEventImp();
    if (!created)
        return E_OUTOFMEMORY;
    sink.attach(created);
    return S_OK;
}

HRESULT CSCEventImp::Advise(ISCApplication* source, CKivWorker* receiver)
{
    m_source = tolv::com::com_ptr<ISCApplication>(source);
    m_receiver = receiver;
    if (!source)
        return S_OK;
    tolv::com::com_ptr<IConnectionPointContainer> container;
    HRESULT hr = m_source.query(container);
    TOLV_RETURN_IF_FAILED(hr);
    tolv::com::com_ptr<IConnectionPoint> point;
    hr = container->FindConnectionPoint(DIID_ISCEvents, point.put());
    TOLV_RETURN_IF_FAILED(hr);
    DWORD cookie = 0;
    hr = point->Advise(static_cast<IDispatch*>(this), &cookie);
    if (SUCCEEDED(hr))
        m_cookie = cookie;
    return hr;
}

void CSCEventImp::Unadvise()
{
    if (m_cookie != NOT_ADVISED && m_source) {
        tolv::com::com_ptr<IConnectionPointContainer> container;
        tolv::com::com_ptr<IConnectionPoint> point;
        if (SUCCEEDED(m_source.query(container)) &&
            SUCCEEDED(container->FindConnectionPoint(DIID_ISCEvents, point.put())))
            point->Unadvise(m_cookie);
        m_cookie = NOT_ADVISED;
    }
    m_source.reset();
    m_receiver = nullptr;
    // Whatever the library still holds of the sink goes now, not when the sink is gone.
    CoDisconnectObject(static_cast<IDispatch*>(this), 0);
}

HRESULT CSCEventImp::QueryInterface(REFIID iid, void** result)
{
    return interface_map::query(this, iid, result);
}

ULONG CSCEventImp::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
}

ULONG CSCEventImp::Release()
{
    LONG count = InterlockedDecrement(&m_references);
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

HRESULT CSCEventImp::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CSCEventImp::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CSCEventImp::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CSCEventImp::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (result)
        VariantInit(result);
    if (!params)
        return E_INVALIDARG;
    if (id < 1 || id > 16)
        return DISP_E_MEMBERNOTFOUND;
    // The worker may drop its reference while an event is still being handled.
    tolv::com::com_ptr<CSCEventImp> self(this);
    // Events arrive on COM's threads: their failures belong in this binding's trace.
    const tolv::trace::thread_trace_scope traceScope(&m_trace);
    try {
        HandleEvent(id, *params);
        return S_OK;
    } catch (const CKivComError& error) {
        tolv::trace::Failure(error.Error(), error.Where());
        return error.Error();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

void CSCEventImp::Post(CRequestData& record)
{
    TOLV_LOG_IF_FAILED(m_receiver->PostRequest(record));
}

void CSCEventImp::PostAndWait(CRequestData& record, const char* eventName)
{
    record.m_Response = &record;
    HRESULT hr = m_receiver->PostRequestAndWait(record);
    m_trace.Format(3, "%s%s", eventName, SUCCEEDED(hr) ? " - response OK" : " - response TO");
}

void CSCEventImp::OnDeviceConnected(DISPPARAMS& params)
{
    m_trace.Format(3, "CSCEventImp::DeviceConnected");
    if (!m_receiver || m_sinkNumber != 1)
        return;
    try {
        if (params.cArgs < 1 || !params.rgvarg)
            throw CKivComError(DISP_E_BADPARAMCOUNT, TOLV_HERE);
        EventArguments arguments(params, params.cArgs);
        const VARIANT& argument = arguments.At(0);
        IUnknown* object = nullptr;
        if (argument.vt == VT_DISPATCH)
            object = argument.pdispVal;
        else if (argument.vt == VT_UNKNOWN)
            object = argument.punkVal;
        if (!object)
            throw CKivComError(E_POINTER, TOLV_HERE);
        tolv::com::com_ptr<ISCDevice> device;
        KIV_THROW_IF_FAILED(object->QueryInterface(IID_ISCDevice, device.put_void()));
        BSTR name = nullptr;
        KIV_THROW_IF_FAILED(device->GetName(&name));
        CRequestData record(REQ_EV_DEVICE_CONNECTED);
        record.m_firstStringArg = CKivString::Attach(name);
        Post(record);
    } catch (const CKivComError& error) {
        m_trace.Format(3, "CSCEventImp::DeviceConnnected x%x", static_cast<unsigned>(error.Error()));
    }
}

void CSCEventImp::HandleEvent(DISPID id, DISPPARAMS& params)
{
    if (id == 1) {
        OnDeviceConnected(params);
        return;
    }
    CRequestData record;
    switch (id) {
    case 2: {
        EventArguments arguments(params, 1);
        m_trace.Format(3, "CSCEventImp::DeviceDisconnected");
        if (!m_receiver || m_sinkNumber != 1)
            return;
        record.m_typ = REQ_EV_DEVICE_DISCONNECTED;
        record.m_firstStringArg = arguments.Text(0);
        Post(record);
        return;
    }
    case 3:
    case 6: {
        EventArguments arguments(params, 5);
        const char* name = id == 3 ? "DeviceBackupStorageProgress" : "DeviceRestoreStorageProgress";
        m_trace.Format(3, "%s", name);
        if (!m_receiver)
            return;
        record.m_typ = id == 3 ? REQ_EV_BACKUP_PROGRESS : REQ_EV_RESTORE_PROGRESS;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_secondIntegerArg = arguments.Long(1);
        record.m_firstStringArg = arguments.Text(2);
        record.m_thirdIntegerArg = arguments.Long(3);
        record.m_OutArg[OUT_BOOL] = arguments.BoolReference(4);
        PostAndWait(record, name);
        return;
    }
    case 4:
    case 7: {
        EventArguments arguments(params, 5);
        const char* name = id == 4 ? "DeviceBackupStorageError" : "DeviceRestoreStorageError";
        const long error = arguments.Long(2);
        m_trace.Format(3, "%s 0x%x", name, static_cast<unsigned>(error));
        if (!m_receiver)
            return;
        record.m_typ = id == 4 ? REQ_EV_BACKUP_ERROR : REQ_EV_RESTORE_ERROR;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_secondIntegerArg = arguments.Long(1);
        record.m_thirdIntegerArg = error;
        record.m_firstBooleanArg = arguments.Bool(3);
        record.m_OutArg[OUT_BOOL] = arguments.BoolReference(4);
        PostAndWait(record, name);
        return;
    }
    case 5:
    case 9: {
        EventArguments arguments(params, 3);
        const long result = arguments.Long(2);
        m_trace.Format(3, id == 5 ? "DeviceBackupStorageComplete 0x%x" : "DeviceRestoreStorageComplete 0x%x",
                       static_cast<unsigned>(result));
        if (!m_receiver)
            return;
        record.m_typ = id == 5 ? REQ_EV_BACKUP_COMPLETE : REQ_EV_RESTORE_COMPLETE;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_firstStringArg = arguments.Text(1);
        record.m_secondIntegerArg = result;
        Post(record);
        return;
    }
    case 8:
    case 15: {
        EventArguments arguments(params, 8);
        const char* name = id == 8 ? "DeviceRestoreStorageExistingFileFound" : "DeviceCopyStorageFileExistingFileFound";
        m_trace.Format(3, "%s", name);
        if (!m_receiver)
            return;
        record.m_typ = id == 8 ? REQ_EV_RESTORE_EXISTING_FILE : REQ_EV_COPY_EXISTING_FILE;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_firstStringArg = arguments.Text(1);
        record.m_firstDateArg = arguments.Date(2);
        record.m_secondIntegerArg = arguments.Long(3);
        record.m_secondDateArg = arguments.Date(4);
        record.m_thirdIntegerArg = arguments.Long(5);
        record.m_OutArg[OUT_FIRST_LONG] = arguments.LongReference(6);
        record.m_OutArg[OUT_BOOL] = arguments.BoolReference(7);
        PostAndWait(record, name);
        return;
    }
    case 10: {
        EventArguments arguments(params, 4);
        m_trace.Format(3, "DeviceFormatStorageDriveProgress");
        if (!m_receiver)
            return;
        record.m_typ = REQ_EV_FORMAT_PROGRESS;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_secondIntegerArg = arguments.Long(1);
        record.m_firstStringArg = arguments.Text(2);
        record.m_thirdIntegerArg = arguments.Long(3);
        PostAndWait(record, "DeviceFormatStorageDriveProgress");
        return;
    }
    case 11: {
        EventArguments arguments(params, 3);
        const long error = arguments.Long(2);
        m_trace.Format(3, "DeviceFormatStorageDriveError 0x%x", static_cast<unsigned>(error));
        if (!m_receiver)
            return;
        record.m_typ = REQ_EV_FORMAT_ERROR;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_secondIntegerArg = arguments.Long(1);
        record.m_thirdIntegerArg = error;
        Post(record);
        return;
    }
    case 12:
    case 16: {
        EventArguments arguments(params, 2);
        const long result = arguments.Long(1);
        m_trace.Format(
            3, id == 12 ? "DeviceFormatStorageDriveComplete 0x%x" : "DeviceCopyStorageFileComplete with ErrorCode x%x",
            static_cast<unsigned>(result));
        if (!m_receiver)
            return;
        record.m_typ = id == 12 ? REQ_EV_FORMAT_COMPLETE : REQ_EV_COPY_COMPLETE;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_secondIntegerArg = result;
        Post(record);
        return;
    }
    case 13: {
        EventArguments arguments(params, 5);
        m_trace.Format(3, "DeviceCopyStorageFileProgress");
        if (!m_receiver)
            return;
        record.m_typ = REQ_EV_COPY_PROGRESS;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_firstStringArg = arguments.Text(1);
        record.m_secondStringArg = arguments.Text(2);
        record.m_secondIntegerArg = arguments.Long(3);
        record.m_OutArg[OUT_BOOL] = arguments.BoolReference(4);
        PostAndWait(record, "DeviceCopyStorageFileProgress");
        return;
    }
    case 14: {
        EventArguments arguments(params, 5);
        const long description = arguments.Long(1);
        const long error = arguments.Long(2);
        m_trace.Format(3, "DeviceCopyStorageFileError 0x%x - ErrorDescription = %d", static_cast<unsigned>(error),
                       static_cast<int>(description));
        if (!m_receiver)
            return;
        record.m_typ = REQ_EV_COPY_ERROR;
        record.m_firstIntegerArg = arguments.Long(0);
        record.m_secondIntegerArg = description;
        record.m_thirdIntegerArg = error;
        record.m_firstBooleanArg = arguments.Bool(3);
        record.m_OutArg[OUT_BOOL] = arguments.BoolReference(4);
        PostAndWait(record, "DeviceCopyStorageFileError");
        return;
    }
    default:
        return;
    }
}
