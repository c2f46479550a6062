// The one simulated world of a server process: the connected phones, the application
// objects that are told of them, the transfer rate, the armed faults, the phones' condition
// (battery, signal) and the operation thread. Every application object and every control
// object of the process shares it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "com/CriticalSection.h"
#include "platform/phonesim/ApplicationLink.h"
#include "platform/phonesim/FaultSwitches.h"
#include "platform/phonesim/OperationRunner.h"
#include "platform/phonesim/PhoneCondition.h"
#include "platform/phonesim/SimPhone.h"

namespace phonesim {

class CSimWorld {
public:
    static CSimWorld& Instance();

    void AddLink(const std::shared_ptr<CApplicationLink>& link);
    void RemoveLink(const CApplicationLink* link);

    // Connects a phone (defaults for empty texts, the default root for an empty root) and
    // raises DeviceConnected to the sinks of every application object. S_FALSE when a phone
    // of that name is connected already.
    HRESULT Connect(PhoneSettings settings);
    // Disconnects the named phone, or every phone for an empty name, and raises
    // DeviceDisconnected to every application object's sinks. S_FALSE when none was.
    HRESULT Disconnect(const std::wstring& name);
    std::vector<std::shared_ptr<CSimPhone>> Phones() const;
    std::shared_ptr<CSimPhone> FindPhone(const std::wstring& name) const;

    // Remembered for the phone's next connection, and applied at once if it is connected.
    HRESULT ConfigureDrive(const std::wstring& name, wchar_t letter, const DriveSettings& settings);
    // One line per connected phone.
    std::wstring Status() const;

    void SetTransferRate(LONG bytesPerSecond) noexcept { InterlockedExchange(&m_rate, bytesPerSecond); }
    LONG TransferRate() const noexcept { return InterlockedCompareExchange(const_cast<volatile LONG*>(&m_rate), 0, 0); }
    CFaultSwitches& Faults() noexcept { return m_faults; }
    CPhoneCondition& Condition() noexcept { return m_condition; }
    COperationRunner& Runner() noexcept { return m_runner; }

    // %LOCALAPPDATA%\Pellary\PhoneSim
    static std::wstring DefaultRoot();
    // Ends the operation thread before the process ends.
    void Shutdown() noexcept;

private:
    CSimWorld() = default;
    std::vector<std::shared_ptr<CApplicationLink>> Links() const;

    struct Profile {
        DriveSettings phoneMemory;
        DriveSettings memoryCard;
    };

    mutable tolv::com::critical_section m_lock;
    std::vector<std::shared_ptr<CSimPhone>> m_phones;
    std::vector<std::weak_ptr<CApplicationLink>> m_links;
    std::map<std::wstring, Profile> m_profiles;
    volatile LONG m_rate = 0;
    CFaultSwitches m_faults;
    CPhoneCondition m_condition;
    COperationRunner m_runner;
};

}  // namespace phonesim
