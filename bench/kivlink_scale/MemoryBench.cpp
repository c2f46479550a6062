#include "MemoryBench.h"

#include "SmallFile.h"

#include "bench/support/AsciiText.h"
#include "bench/support/CallFailure.h"
#include "bench/support/ScratchFolder.h"

#include "com/UniqueBstr.h"

using tolv::com::unique_bstr;

namespace {

const wchar_t* const kServerProgram = L"Kivlink.exe";
const wchar_t* const kSimulatorProgram = L"phonesim.exe";
const wchar_t* const kCardFolder = L"BenchMemory";
const wchar_t* const kCardInFolder = L"BenchMemory\\In";
const wchar_t* const kPhoneInFolder = L"E:\\BenchMemory\\In\\";
const wchar_t* const kPhoneSource = L"E:\\BenchMemory\\memory_out.txt";
const wchar_t* const kCardSourceName = L"memory_out.txt";
const wchar_t* const kPcSourceName = L"memory_in.txt";
const wchar_t* const kPcReceivedName = L"memory_received.txt";

class CCopyCycle {
public:
    CCopyCycle(const MemorySetup& setup, std::string& failure)
        : m_setup(setup),
          m_failure(failure),
          m_pcSource(setup.pcFolder + L"\\" + kPcSourceName),
          m_pcReceived(setup.pcFolder + L"\\" + kPcReceivedName),
          m_arrived(setup.cardFolder + L"\\" + kCardInFolder + L"\\" + kPcSourceName)
    {
    }

    // The PC source, the phone source and the phone folder the copies go to, before the first copy.
    bool Prepare()
    {
        const std::wstring inFolder = m_setup.cardFolder + L"\\" + kCardInFolder;
        if (!CreateFolderPath(inFolder))
            return Fail("cannot create " + Narrow(inFolder) + ": " + DescribeWin32Failure(GetLastError()));
        const std::wstring cardSource = m_setup.cardFolder + L"\\" + kCardFolder + L"\\" + kCardSourceName;
        for (const std::wstring& file : {m_pcSource, cardSource}) {
            const HRESULT hr = WriteSmallFile(file);
            if (FAILED(hr))
                return Fail("cannot write " + Narrow(file) + ": " + DescribeFailure(hr, nullptr, IID_NULL));
        }
        return true;
    }

    // Copies to the phone on even numbers and to the PC on odd ones.
    bool Copy(int number) { return number % 2 == 0 ? CopyFromPC(number) : CopyToPC(number); }

private:
    bool Fail(const std::string& failure)
    {
        m_failure = failure;
        return false;
    }

    bool CopyFromPC(int number)
    {
        // A folder as the destination keeps the source's name: no renamed temporary copy.
        unique_bstr source(m_pcSource.c_str());
        unique_bstr target(kPhoneInFolder);
        HRESULT hr;
        {
            CWatchedCall watched(m_setup.watchdog, "CopyFromPC, copy " + std::to_string(number + 1));
            hr = m_setup.volume->CopyFromPC(source.get(), target.get(), eBlocked);
        }
        if (FAILED(hr))
            return Fail("CopyFromPC, copy " + std::to_string(number + 1) +
                        ", failed: " + DescribeFailure(hr, m_setup.volume, IID_IKivVolume2));
        if (!IsSmallFile(m_arrived))
            return Fail("CopyFromPC reported success but " + Narrow(m_arrived) + " is not the copy");
        const std::wstring copied = std::wstring(kPhoneInFolder) + kPcSourceName;
        unique_bstr entry(copied.c_str());
        {
            CWatchedCall watched(m_setup.watchdog, "RemoveEntry after copy " + std::to_string(number + 1));
            hr = m_setup.volume->RemoveEntry(entry.get());
        }
        if (FAILED(hr))
            return Fail("RemoveEntry(" + Narrow(copied) +
                        ") failed: " + DescribeFailure(hr, m_setup.volume, IID_IKivVolume2));
        if (GetFileAttributesW(m_arrived.c_str()) != INVALID_FILE_ATTRIBUTES)
            return Fail("RemoveEntry reported success but " + Narrow(m_arrived) + " is still there");
        return true;
    }

    bool CopyToPC(int number)
    {
        unique_bstr source(kPhoneSource);
        unique_bstr target(m_pcReceived.c_str());
        HRESULT hr;
        {
            CWatchedCall watched(m_setup.watchdog, "CopyToPC, copy " + std::to_string(number + 1));
            hr = m_setup.volume->CopyToPC(source.get(), target.get(), eBlocked);
        }
        const bool arrived = IsSmallFile(m_pcReceived);
        DeleteFileW(m_pcReceived.c_str());
        if (FAILED(hr))
            return Fail("CopyToPC, copy " + std::to_string(number + 1) +
                        ", failed: " + DescribeFailure(hr, m_setup.volume, IID_IKivVolume2));
        if (!arrived)
            return Fail("CopyToPC reported success but " + Narrow(m_pcReceived) + " is not the copy");
        return true;
    }

    const MemorySetup& m_setup;
    std::string& m_failure;
    const std::wstring m_pcSource;
    const std::wstring m_pcReceived;
    const std::wstring m_arrived;
};

}  // namespace

MemoryResult MeasureMemoryGrowth(const MemorySetup& setup, int warmUpCopies, const std::vector<int>& marks)
{
    MemoryResult result;
    CCopyCycle cycle(setup, result.failure);
    if (!cycle.Prepare())
        return result;
    for (int number = 0; number < warmUpCopies; ++number)
        if (!cycle.Copy(number))
            return result;
    int copies = 0;
    for (int mark : marks) {
        for (; copies < mark; ++copies)
            if (!cycle.Copy(warmUpCopies + copies))
                return result;
        MemorySample sample{copies, {}, {}};
        if (!ReadProgramMemory(kServerProgram, sample.server, result.failure) ||
            !ReadProgramMemory(kSimulatorProgram, sample.simulator, result.failure))
            return result;
        if (!result.samples.empty() && (result.samples.front().server.processId != sample.server.processId ||
                                        result.samples.front().simulator.processId != sample.simulator.processId)) {
            result.failure = "a server was restarted between the marks; its numbers do not compare";
            return result;
        }
        result.samples.push_back(sample);
    }
    return result;
}
