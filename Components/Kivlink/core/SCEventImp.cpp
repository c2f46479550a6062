#include "SCEventImp.h"

#include "KivComError.h"
#include "KivWorker.h"
#include "RequestData.h"

#include "trace/TraceResult.h"

#include <cstdio>
#include <initializer_list>
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

// Dispatch ids of the phone library's ISCEvents.
enum ScEventId : DISPID {
    kDeviceConnected = 1,
    kDeviceDisconnected = 2,
    kBackupProgress = 3,
    kBackupError = 4,
    kBackupComplete = 5,
    kRestoreProgress = 6,
    kRestoreError = 7,
    kRestoreExistingFile = 8,
    kRestoreComplete = 9,
    kFormatProgress = 10,
    kFormatError = 11,
    kFormatComplete = 12,
    kCopyProgress = 13,
    kCopyError = 14,
    kCopyExistingFile = 15,
    kCopyComplete = 16,
};

// Where one event argument goes in the record.
enum class Slot {
    FirstLong,
    SecondLong,
    ThirdLong,
    FirstText,
    SecondText,
    FirstDate,
    SecondDate,
    FirstBool,
    AnswerLong,  // the action of an existing-file question, answered through the record
    AnswerBool,  // the response, answered through the record
};

// An event's arguments in declaration order, the record they become, its trace line (with up
// to two of the long arguments, by position) and whether the event waits for an answer.
struct SEventLayout {
    ScEventId id;
    KivRequestType request;
    const char* name;
    const char* trace;
    int tracedArguments[2];
    bool awaitsAnswer;
    bool firstSinkOnly;
    std::initializer_list<Slot> slots;
};

constexpr int kNone = -1;

constexpr SEventLayout kEventLayouts[] = {
    {kDeviceDisconnected,
     REQ_EV_DEVICE_DISCONNECTED,
     "DeviceDisconnected",
     "CSCEventImp::DeviceDisconnected",
     {kNone, kNone},
     false,
     true,
     {Slot::FirstText}},
    {kBackupProgress,
     REQ_EV_BACKUP_PROGRESS,
     "DeviceBackupStorageProgress",
     "DeviceBackupStorageProgress",
     {kNone, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::FirstText, Slot::ThirdLong, Slot::AnswerBool}},
    {kBackupError,
     REQ_EV_BACKUP_ERROR,
     "DeviceBackupStorageError",
     "DeviceBackupStorageError 0x%x",
     {2, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::ThirdLong, Slot::FirstBool, Slot::AnswerBool}},
    {kBackupComplete,
     REQ_EV_BACKUP_COMPLETE,
     "DeviceBackupStorageComplete",
     "DeviceBackupStorageComplete 0x%x",
     {2, kNone},
     false,
     false,
     {Slot::FirstLong, Slot::FirstText, Slot::SecondLong}},
    {kRestoreProgress,
     REQ_EV_RESTORE_PROGRESS,
     "DeviceRestoreStorageProgress",
     "DeviceRestoreStorageProgress",
     {kNone, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::FirstText, Slot::ThirdLong, Slot::AnswerBool}},
    {kRestoreError,
     REQ_EV_RESTORE_ERROR,
     "DeviceRestoreStorageError",
     "DeviceRestoreStorageError 0x%x",
     {2, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::ThirdLong, Slot::FirstBool, Slot::AnswerBool}},
    {kRestoreExistingFile,
     REQ_EV_RESTORE_EXISTING_FILE,
     "DeviceRestoreStorageExistingFileFound",
     "DeviceRestoreStorageExistingFileFound",
     {kNone, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::FirstText, Slot::FirstDate, Slot::SecondLong, Slot::SecondDate, Slot::ThirdLong,
      Slot::AnswerLong, Slot::AnswerBool}},
    {kRestoreComplete,
     REQ_EV_RESTORE_COMPLETE,
     "DeviceRestoreStorageComplete",
     "DeviceRestoreStorageComplete 0x%x",
     {2, kNone},
     false,
     false,
     {Slot::FirstLong, Slot::FirstText, Slot::SecondLong}},
    {kFormatProgress,
     REQ_EV_FORMAT_PROGRESS,
     "DeviceFormatStorageDriveProgress",
     "DeviceFormatStorageDriveProgress",
     {kNone, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::FirstText, Slot::ThirdLong}},
    {kFormatError,
     REQ_EV_FORMAT_ERROR,
     "DeviceFormatStorageDriveError",
     "DeviceFormatStorageDriveError 0x%x",
     {2, kNone},
     false,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::ThirdLong}},
    {kFormatComplete,
     REQ_EV_FORMAT_COMPLETE,
     "DeviceFormatStorageDriveComplete",
     "DeviceFormatStorageDriveComplete 0x%x",
     {1, kNone},
     false,
     false,
     {Slot::FirstLong, Slot::SecondLong}},
    {kCopyProgress,
     REQ_EV_COPY_PROGRESS,
     "DeviceCopyStorageFileProgress",
     "DeviceCopyStorageFileProgress",
     {kNone, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::FirstText, Slot::SecondText, Slot::SecondLong, Slot::AnswerBool}},
    {kCopyError,
     REQ_EV_COPY_ERROR,
     "DeviceCopyStorageFileError",
     "DeviceCopyStorageFileError 0x%x - ErrorDescription = %d",
     {2, 1},
     true,
     false,
     {Slot::FirstLong, Slot::SecondLong, Slot::ThirdLong, Slot::FirstBool, Slot::AnswerBool}},
    {kCopyExistingFile,
     REQ_EV_COPY_EXISTING_FILE,
     "DeviceCopyStorageFileExistingFileFound",
     "DeviceCopyStorageFileExistingFileFound",
     {kNone, kNone},
     true,
     false,
     {Slot::FirstLong, Slot::FirstText, Slot::FirstDate, Slot::SecondLong, Slot::SecondDate, Slot::ThirdLong,
      Slot::AnswerLong, Slot::AnswerBool}},
    {kCopyComplete,
     REQ_EV_COPY_COMPLETE,
     "DeviceCopyStorageFileComplete",
     "DeviceCopyStorageFileComplete with ErrorCode x%x",
     {1, kNone},
     false,
     false,
     {Slot::FirstLong, Slot::SecondLong}},
};

const SEventLayout* FindEventLayout(DISPID id)
{
    for (const SEventLayout& layout : kEventLayouts) {
        if (layout.id == id)
            return &layout;
    }
    return nullptr;
}

// The long argument the trace line shows in its n-th place, or 0 for none.
long TracedLong(const EventArguments& arguments, const SEventLayout& layout, int place)
{
    const int position = layout.tracedArguments[place];
    return position == kNone ? 0 : arguments.Long(static_cast<UINT>(position));
}

void Fill(CRequestData& record, Slot slot, const EventArguments& arguments, UINT index)
{
    switch (slot) {
    case Slot::FirstLong:
        record.m_firstIntegerArg = arguments.Long(index);
        break;
    case Slot::SecondLong:
        record.m_secondIntegerArg = arguments.Long(index);
        break;
    case Slot::ThirdLong:
        record.m_thirdIntegerArg = arguments.Long(index);
        break;
    case Slot::FirstText:
        record.m_firstStringArg = arguments.Text(index);
        break;
    case Slot::SecondText:
        record.m_secondStringArg = arguments.Text(index);
        break;
    case Slot::FirstDate:
        record.m_firstDateArg = arguments.Date(index);
        break;
    case Slot::SecondDate:
        record.m_secondDateArg = arguments.Date(index);
        break;
    case Slot::FirstBool:
        record.m_firstBooleanArg = arguments.Bool(index);
        break;
    case Slot::AnswerLong:
        record.m_OutArg[OUT_FIRST_LONG] = arguments.LongReference(index);
        break;
    case Slot::AnswerBool:
        record.m_OutArg[OUT_BOOL] = arguments.BoolReference(index);
        break;
    }
}

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
    tolv::com::com_ptr<tolv::com::InternalComObject<CSCEventImp>> created;
    TOLV_RETURN_IF_FAILED(tolv::com::InternalComObject<CSCEventImp>::Create(created));
    sink = created;
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

HRESULT CSCEventImp::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (result)
        VariantInit(result);
    if (!params)
        return E_INVALIDARG;
    if (id < kDeviceConnected || id > kCopyComplete)
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
    if (id == kDeviceConnected) {
        OnDeviceConnected(params);
        return;
    }
    const SEventLayout* layout = FindEventLayout(id);
    if (!layout)
        return;
    EventArguments arguments(params, static_cast<UINT>(layout->slots.size()));
    m_trace.Format(3, layout->trace, static_cast<unsigned>(TracedLong(arguments, *layout, 0)),
                   static_cast<unsigned>(TracedLong(arguments, *layout, 1)));
    // Only the first binding passes connects and disconnects on: both hear them.
    if (!m_receiver || (layout->firstSinkOnly && m_sinkNumber != 1))
        return;
    CRequestData record(layout->request);
    UINT index = 0;
    for (Slot slot : layout->slots)
        Fill(record, slot, arguments, index++);
    if (layout->awaitsAnswer)
        PostAndWait(record, layout->name);
    else
        Post(record);
}
