#pragma once
// The simulated phone the benchmark copies to and from: connected through the simulator's
// control verbs with its drives below a folder of the benchmark, the transfer rate set to
// unlimited, and disconnected when the owner goes.
#include <string>

extern const wchar_t* const kBenchPhoneName;

// The folder behind a drive of a phone in the output of "phonesim status", whose lines read
// <name> model="..." ... C:="<folder>" E:="<folder>"; empty when that phone or drive is missing.
std::wstring DriveFolderInStatus(const std::string& status, const std::wstring& phone, wchar_t letter);

class CSimulatedPhone {
public:
    explicit CSimulatedPhone(std::wstring root);
    ~CSimulatedPhone();
    CSimulatedPhone(const CSimulatedPhone&) = delete;
    CSimulatedPhone& operator=(const CSimulatedPhone&) = delete;

    bool Connect();
    void Disconnect();
    // The PC folder behind a drive of the phone ("E" -> ...\354812013456789\E), as the
    // simulator reports it; empty when it does not.
    std::wstring DriveFolder(wchar_t letter) const;
    const std::string& Problem() const { return m_problem; }

private:
    bool Verb(const std::wstring& arguments, std::string* output = nullptr);

    std::wstring m_root;
    std::string m_status;
    std::string m_problem;
    bool m_connected = false;
};
