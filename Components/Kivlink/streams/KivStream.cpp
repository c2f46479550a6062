#include "KivStream.h"

#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("KivStream");

HRESULT KivStream::WriteRaw(HANDLE file, const void* bytes, ULONG count, ULONG* written)
{
    if (written)
        *written = 0;
    TOLV_RETURN_HR_IF(E_POINTER, bytes == nullptr && count != 0);
    DWORD taken = 0;
    const BOOL wrote = WriteFile(file, bytes, count, &taken, nullptr);
    if (written)
        *written = taken;
    TOLV_RETURN_LAST_ERROR_IF(!wrote);
    TOLV_RETURN_LAST_ERROR_IF(!FlushFileBuffers(file));
    return S_OK;
}
