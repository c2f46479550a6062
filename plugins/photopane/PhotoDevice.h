#pragma once
// The photo download's phone operations: the photos of a phone folder, one download, and
// whether a phone folder exists.
#include "plugins/common/Device.h"

#include <map>
#include <string>

namespace tolv::photopane {

class CPhotoDevice : public plugins::CDevice {
public:
    // The box DirectoryExist shows for a missing folder or drive, in the user's language.
    struct MissingFolderWarning {
        std::wstring text;
        std::wstring caption;
    };

    using plugins::CDevice::CDevice;

    // The ".JPG" entries of `folder` (any letter case), relative to it; empty when the
    // listing fails. Kept as Entries() too.
    const std::map<int, std::wstring>& GetDeviceData(const std::wstring& folder);
    const std::map<int, std::wstring>& Entries() const { return m_entries; }
    // Downloads and waits for the end. `keepExisting`: an existing PC file stays, a different
    // photo of that name is stored under a new name. `move`: the phone file goes afterwards.
    HRESULT CopyToPC(const std::wstring& source, const std::wstring& destination, bool keepExisting, bool move);
    // Whether the phone folder can be listed; a missing folder or drive is also told to the
    // user with `warning`.
    HRESULT DirectoryExist(const std::wstring& path, bool& exists, const MissingFolderWarning& warning);

private:
    std::map<int, std::wstring> m_entries;
};

}  // namespace tolv::photopane
