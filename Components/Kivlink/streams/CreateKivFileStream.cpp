#include "CreateKivFileStream.h"

#include "KivFileStream.h"
#include "KivStreamErrors.h"
#include "StreamTempFile.h"

#include "trace/TraceResult.h"

#include <memory>
#include <new>

TOLV_TRACE_UNIT("CreateKivFileStream");

HRESULT CreateKivFileStream(const CKivString& tempFile, IStream** stream) noexcept
{
    if (!stream)
        return StreamResult(E_POINTER);
    *stream = nullptr;
    KivSharedTempFile owner;
    try {
        owner = std::make_shared<const CKivStreamTempFile>(tempFile);
    } catch (const std::bad_alloc&) {
        return StreamResult(E_OUTOFMEMORY);
    }
    tolv::com::com_ptr<KivFileStreamObject> object;
    HRESULT hr = KivFileStreamObject::Create(object, std::move(owner));
    if (FAILED(hr))
        return StreamResult(hr);
    TOLV_RETURN_IF_FAILED_EXPECTED(object->Open(tempFile));
    return object->QueryInterface(IID_IStream, reinterpret_cast<void**>(stream));
}
