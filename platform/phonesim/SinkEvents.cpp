#include "platform/phonesim/SinkEvents.h"

#include "com/DispatchArguments.h"

namespace phonesim {

namespace {

using tolv::com::DispatchArguments;
using tolv::com::InvokeSink;

void RaiseToAll(const SinkList& sinks, DISPID id, DispatchArguments& arguments)
{
    for (const auto& sink : sinks) {
        InvokeSink(sink.get(), id, arguments);
    }
}

// Calls every sink with a fresh VARIANT_FALSE behind the by-reference response; true when
// one of them answered VARIANT_TRUE.
bool AskAll(const SinkList& sinks, DISPID id, DispatchArguments& arguments, VARIANT_BOOL& response)
{
    bool asked = false;
    for (const auto& sink : sinks) {
        response = VARIANT_FALSE;
        InvokeSink(sink.get(), id, arguments);
        asked = asked || response == VARIANT_TRUE;
    }
    return asked;
}

void AddDate(DispatchArguments& arguments, DATE date)
{
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DATE;
    value.date = date;
    arguments.add(value);
}

}  // namespace

void RaiseDeviceConnected(const SinkList& sinks, IDispatch* device)
{
    DispatchArguments arguments;
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_DISPATCH;
    value.pdispVal = device;
    arguments.add(value);
    RaiseToAll(sinks, evDeviceConnected, arguments);
}

void RaiseDeviceDisconnected(const SinkList& sinks, const std::wstring& name)
{
    DispatchArguments arguments;
    arguments.add_string(name.c_str());
    RaiseToAll(sinks, evDeviceDisconnected, arguments);
}

bool RaiseStorageProgress(const SinkList& sinks, DISPID id, LONG requestId, LONG fileNumber, const std::wstring& name,
                          LONG percent)
{
    VARIANT_BOOL response = VARIANT_FALSE;
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_long(fileNumber);
    arguments.add_string(name.c_str());
    arguments.add_long(percent);
    arguments.add_bool_ref(&response);
    return AskAll(sinks, id, arguments, response);
}

bool RaiseCopyProgress(const SinkList& sinks, LONG requestId, const std::wstring& source, const std::wstring& target,
                       LONG percent)
{
    VARIANT_BOOL response = VARIANT_FALSE;
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_string(source.c_str());
    arguments.add_string(target.c_str());
    arguments.add_long(percent);
    arguments.add_bool_ref(&response);
    return AskAll(sinks, evCopyProgress, arguments, response);
}

void RaiseFormatProgress(const SinkList& sinks, LONG requestId, LONG removed, const std::wstring& drive, LONG percent)
{
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_long(removed);
    arguments.add_string(drive.c_str());
    arguments.add_long(percent);
    RaiseToAll(sinks, evFormatProgress, arguments);
}

bool RaiseStorageError(const SinkList& sinks, DISPID id, LONG requestId, LONG second, HRESULT error, bool canSkip)
{
    VARIANT_BOOL response = VARIANT_FALSE;
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_long(second);
    arguments.add_long(error);
    arguments.add_bool(canSkip);
    arguments.add_bool_ref(&response);
    return AskAll(sinks, id, arguments, response);
}

void RaiseFormatError(const SinkList& sinks, LONG requestId, LONG removed, HRESULT error)
{
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_long(removed);
    arguments.add_long(error);
    RaiseToAll(sinks, evFormatError, arguments);
}

ExistingFileAnswer RaiseExistingFileFound(const SinkList& sinks, DISPID id, LONG requestId, const std::wstring& path,
                                          DATE existingDate, LONG existingSize, DATE newDate, LONG newSize)
{
    ExistingFileAnswer answer;
    LONG action = actionKeepExisting;
    VARIANT_BOOL response = VARIANT_FALSE;
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_string(path.c_str());
    AddDate(arguments, existingDate);
    arguments.add_long(existingSize);
    AddDate(arguments, newDate);
    arguments.add_long(newSize);
    VARIANT actionReference;
    VariantInit(&actionReference);
    actionReference.vt = VT_I4 | VT_BYREF;
    actionReference.plVal = &action;
    arguments.add(actionReference);
    arguments.add_bool_ref(&response);
    for (const auto& sink : sinks) {
        action = actionKeepExisting;
        response = VARIANT_FALSE;
        InvokeSink(sink.get(), id, arguments);
        if (action != actionKeepExisting) {
            answer.action = action;
        }
        answer.cancel = answer.cancel || response == VARIANT_TRUE;
    }
    return answer;
}

void RaiseStorageComplete(const SinkList& sinks, DISPID id, LONG requestId, const std::wstring& name, HRESULT result)
{
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_string(name.c_str());
    arguments.add_long(result);
    RaiseToAll(sinks, id, arguments);
}

void RaiseFormatComplete(const SinkList& sinks, LONG requestId, HRESULT result)
{
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_long(result);
    RaiseToAll(sinks, evFormatComplete, arguments);
}

void RaiseCopyComplete(const SinkList& sinks, LONG requestId, HRESULT result)
{
    DispatchArguments arguments;
    arguments.add_long(requestId);
    arguments.add_long(result);
    RaiseToAll(sinks, evCopyComplete, arguments);
}

}  // namespace phonesim
