// One simulated phone: its identity, its drives and the PC folders that back them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "com/CriticalSection.h"
#include "com/Module.h"
#include "platform/phonesim/AttributeStore.h"
#include "platform/phonesim/PhonePath.h"

namespace phonesim {

struct PhoneSettings {
    std::wstring name = L"354812013456789";
    std::wstring model = L"Tamlo";
    std::wstring manufacturer = L"Unknown";
    std::wstring identifier = L"COM4";
    bool withCard = true;
    // The folder that holds one folder per phone name.
    std::wstring root;
};

// What a drive is configured with. Unset parts keep their defaults.
struct DriveSettings {
    bool hasLabel = false;
    std::wstring label;
    bool hasCapacity = false;
    unsigned long long capacity = 0;
    bool hasFree = false;
    unsigned long long free = 0;
};

struct DriveSpace {
    unsigned long long capacity = 0;
    unsigned long long free = 0;
    unsigned long long used = 0;
};

bool IsValidPhoneName(const std::wstring& name);

class CSimPhone {
public:
    // Creates the drive folders below settings.root\name (keeping what is already there) and
    // holds a module lock until it is disconnected, so that the server outlives its clients
    // while a phone is connected.
    static HRESULT Create(const PhoneSettings& settings, const DriveSettings& phoneMemory,
                          const DriveSettings& memoryCard, std::shared_ptr<CSimPhone>& phone);

    const std::wstring& Name() const noexcept { return m_settings.name; }
    const PhoneSettings& Settings() const noexcept { return m_settings; }
    // The folder settings.root\name.
    const std::wstring& Folder() const noexcept { return m_folder; }

    bool IsConnected() const noexcept;
    // Drops the module lock; every later call on the phone's objects fails with kNotConnected.
    void MarkDisconnected() noexcept;

    std::vector<wchar_t> DriveLetters() const;
    bool HasDrive(wchar_t letter) const noexcept;
    // The PC folder that backs a drive; empty for a drive the phone does not have.
    std::wstring DriveFolder(wchar_t letter) const;
    // The PC path of a phone path (on one of this phone's drives).
    std::wstring PcPath(const PhonePath& path) const;
    bool IsRemovable(wchar_t letter) const noexcept { return letter != L'C'; }

    HRESULT GetLabel(wchar_t letter, std::wstring& label) const;
    HRESULT SetLabel(wchar_t letter, const std::wstring& label);
    // Free space shrinks and grows with the bytes the drive holds beyond what it held when
    // the free space was configured.
    HRESULT GetSpace(wchar_t letter, DriveSpace& space) const;
    void Configure(wchar_t letter, const DriveSettings& settings);

    CAttributeStore& Attributes() noexcept { return m_attributes; }

private:
    struct Drive {
        wchar_t letter = 0;
        std::wstring folder;
        std::wstring label;
        unsigned long long capacity = 0;
        unsigned long long freeAtBaseline = 0;
        unsigned long long usedAtBaseline = 0;
    };

    CSimPhone(PhoneSettings settings, std::wstring folder);
    const Drive* FindDrive(wchar_t letter) const noexcept;
    Drive* FindDrive(wchar_t letter) noexcept;
    static void Apply(Drive& drive, const DriveSettings& settings);

    const PhoneSettings m_settings;
    const std::wstring m_folder;
    std::vector<Drive> m_drives;
    mutable tolv::com::critical_section m_lock;
    std::unique_ptr<tolv::com::module_lock> m_keepAlive;
    CAttributeStore m_attributes;
};

}  // namespace phonesim
