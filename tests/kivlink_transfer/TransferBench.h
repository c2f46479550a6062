#pragma once
// The copy routes end to end: a file worker bound to the phone simulator, with the
// notification thread that matches the phone's events to the running copies, and one
// simulated phone whose drives are PC folders. The bench lives for the whole test program
// (the process's first event sink is the one that hears of connects and disconnects); each
// test gets fresh folders on both sides.
#include "TransferTestFiles.h"

#include "core/RequestData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class TransferBenchState;

class TransferBench : public testing::Environment {
public:
    TransferBench();
    ~TransferBench() override;
    void SetUp() override;
    void TearDown() override;

    // The bench of this test program (set up before any test runs).
    static TransferBench& Get();

    // A request to the file worker, waited for; its result.
    HRESULT Run(CRequestData& record);
    HRESULT CopyFromPC(const std::wstring& source, const std::wstring& destination, long flags);
    HRESULT CopyToPC(const std::wstring& source, const std::wstring& destination, long flags);
    HRESULT CopyInPhone(const std::wstring& source, const std::wstring& destination);
    HRESULT CopyToTempFile(const std::wstring& phoneFile, std::wstring& tempFile);
    // Drops the worker's model, after a test changed the phone's folders behind its back.
    void ForgetPhone();
    // Post steps of unblocked copies the worker has run so far, once there are count of them.
    std::vector<CRequestData> PostStepsRun(size_t count, DWORD timeoutMs = 30000);

    // The PC folder holding a phone path ("E:\Music\a.mp3"); the phone must be connected.
    std::wstring PhoneFolder(const std::wstring& phonePath) const;
    // "phonesim <arguments>"; its exit code.
    long PhoneSim(const std::wstring& arguments) const;
    long ReconnectPhone() const;

    // The lines the routes traced since the last mark (a test's start).
    std::vector<std::string> TraceLines() const;
    bool Traced(const std::string& text) const;
    void MarkTrace();

private:
    std::unique_ptr<TransferBenchState> m_state;
};

// Per test: a fresh temporary folder (where the routes put their temporary files), an empty
// phone folder E:\Transfer and a phone without armed faults.
class TransferTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TransferBench& bench = TransferBench::Get();
    std::unique_ptr<TestFolder> temp;
    // The PC side of the test's files, inside the temporary folder.
    std::wstring pc;
    // The PC folder behind E:\Transfer.
    std::wstring phone;
};
