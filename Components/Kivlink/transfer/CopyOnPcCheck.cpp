#include "CopyOnPcCheck.h"

#include "PcFiles.h"
#include "TransferClock.h"

#include "model/FileDescription.h"

#include "com/UniqueHandle.h"
#include "core/KivString.h"
#include "trace/TolvTrace.h"

HRESULT CheckCopyOnPC(CFileDescription& phoneFile, const wchar_t* pcPath, CTolvTrace* trace, IKivTransferClock& clock)
{
    // Shared, so that a transfer still writing the file is neither shut out nor stopped.
    tolv::com::unique_handle file(CreateFileW(pcPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        trace->Format(3, "CheckCopyOnPC failure: No Handle to %s", CKivString(pcPath).Narrow().c_str());
        return E_FAIL;
    }
    long expected = 0;
    if (phoneFile.Kind() != KIND_FILE || FAILED(phoneFile.GetSize(expected))) {
        trace->Format(3, "CheckCopyOnPC failure: mobileOriginal = 0 byte");
        return E_FAIL;
    }
    long counter = 5;
    ULONGLONG previous = 0;
    do {
        clock.Pause(kPcCheckPauseMs);
        ULONGLONG size = 0;
        ReadPcFileSize(file.get(), size);
        counter += size != previous ? 1 : -1;
        if (SameSize(size, expected)) {
            trace->Format(3, "filesize stable");
            return S_OK;
        }
        trace->Format(3, "filesize not stable - wait again");
        previous = size;
    } while (counter != 0);
    return E_FAIL;
}
