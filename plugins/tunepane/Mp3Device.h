#pragma once
// The MP3 upload's phone operations: the free memory of the chosen drive, one upload, and
// emptying the target folder of MP3 files.
#include "plugins/common/Device.h"

#include <string>

namespace tolv::tunepane {

class CMp3Device : public plugins::CDevice {
public:
    // The question DeleteAll asks before it deletes read-only files, in the user's language.
    struct ReadOnlyQuestion {
        std::wstring text;
        std::wstring caption;
    };

    using plugins::CDevice::CDevice;

    // The capacity as the page shows it; `freeSpace` and `capacity` in thousands of bytes, 0
    // when unknown. One failed reading is tried again after a second.
    std::wstring GetMemoryState(long& freeSpace, long& capacity);
    // Uploads and waits for the end; an existing phone file is kept.
    HRESULT CopyFromPC(const std::wstring& source, const std::wstring& destination);
    // Removes every MP3 file of `folder`; read-only ones only when the user says yes to
    // `question`. A lost connection ends it at once with its code.
    HRESULT DeleteAll(const std::wstring& folder, const ReadOnlyQuestion& question);
    // The attribute bits of a phone file without the read-only bit (see AttributesFromInfo).
    HRESULT GetAttributes(const std::wstring& path, DWORD& attributes);

    // The pause before GetMemoryState tries again; tests shorten it.
    DWORD retryPauseMs = 1000;

protected:
    // A second proxy object, for the one-volume interface; empty when the proxy has none.
    virtual HRESULT CreateOneVolume(tolv::com::com_ptr<IKivVolume>& oneVolume);
};

}  // namespace tolv::tunepane
