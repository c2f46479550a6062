#include "CopyOnPhoneCheck.h"

#include "TransferClock.h"

#include "model/FileDescription.h"
#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceFile.h"

#include "trace/TolvTrace.h"

HRESULT CheckCopyOnPhone(long expectedSize, CFileDescription& folder, const wchar_t* name, CTolvTrace* trace,
                         IKivTransferClock& clock)
{
    clock.Pause(kPhoneCheckFirstPauseMs);
    CFileDescription file;
    if (folder.Kind() != KIND_FOLDER || FAILED(folder.Directory()->GetFileInFolder(name, file))) {
        trace->Format(3, "file on mobile not found");
        return E_FAIL;
    }
    long counter = 5;
    long previous = 0;
    DWORD wait = kPhoneCheckPauseStepMs;
    DWORD nextWait = kPhoneCheckPauseStepMs;
    do {
        clock.Pause(wait);
        long size = 0;
        // Read afresh each time: the description would keep the first answer.
        HRESULT hr = file.File()->ReadSize(size);
        if (size != previous) {
            ++counter;
            nextWait = wait;
        } else {
            --counter;
            nextWait += kPhoneCheckPauseStepMs;
            wait = nextWait;
        }
        trace->Format(3, "size = %d - hr = %d - wait = %d - owait = %d", static_cast<int>(size), static_cast<int>(hr),
                      static_cast<int>(wait), static_cast<int>(nextWait));
        if (SUCCEEDED(hr) && size == expectedSize) {
            trace->Format(3, "filesize stable");
            return S_OK;
        }
        trace->Format(3, "filesize not stable %d of %d - wait again", static_cast<int>(size),
                      static_cast<int>(expectedSize));
        // Without this a file stuck at another size would count as changing for ever.
        previous = size;
    } while (counter != 0);
    return E_FAIL;
}
