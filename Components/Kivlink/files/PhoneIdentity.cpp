// Who the connected phone is, as the general interface asks: its model and manufacturer as the
// suite shows them, and its name, which serves as its IMEI.
#include "FileOperations.h"

#include "model/DeviceInfoText.h"
#include "model/SymbianDevice.h"

#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("PhoneIdentity");

HRESULT RunGetMobileModel(CKivFileContext& context, const CRequestData& record)
{
    CKivString model;
    HRESULT hr = context.device->GetModel(model);
    TOLV_RETURN_IF_FAILED(hr);
    context.trace->Format(3, "Model = %s", model.Narrow().c_str());
    const CKivString shown = DisplayModelName(model);
    if (!(shown == model))
        context.trace->Format(3, "Set Model to %s", shown.Narrow().c_str());
    return AnswerText(record, shown);
}

HRESULT RunGetMobileManufacturer(CKivFileContext& context, const CRequestData& record)
{
    CKivString manufacturer;
    CKivString model;
    HRESULT hr = context.device->GetManufacturer(manufacturer);
    if (SUCCEEDED(hr))
        hr = context.device->GetModel(model);
    TOLV_RETURN_IF_FAILED(hr);
    context.trace->Format(3, "Manufacturer = %s", manufacturer.Narrow().c_str());
    context.trace->Format(3, "Model = %s", model.Narrow().c_str());
    const CKivString shown = DisplayManufacturer(manufacturer, DisplayModelName(model));
    if (!(shown == manufacturer))
        context.trace->Format(3, "Set Manufacturer to %s", shown.Narrow().c_str());
    return AnswerText(record, shown);
}

HRESULT RunGetImei(CKivFileContext& context, const CRequestData& record)
{
    AnswerText(record, context.device->GetName());
    return S_OK;
}
