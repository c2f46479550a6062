#include "CallRateBench.h"

#include "AsciiText.h"
#include "CallFailure.h"
#include "PhoneCallSpan.h"
#include "bench/Stopwatch.h"

#include "com/UniqueBstr.h"

using tolv::com::unique_bstr;

namespace {

constexpr int kCountedCalls = 20;

template <class Call>
HRESULT CallsPerSecond(Call call, double& rate)
{
    long calls = 0;
    CStopwatch watch;
    double elapsed = 0;
    do {
        const HRESULT hr = call();
        if (FAILED(hr))
            return hr;
        ++calls;
        elapsed = watch.Seconds();
    } while (elapsed < kCallRoundSeconds);
    rate = calls / elapsed;
    return S_OK;
}

}  // namespace

CallRateResult MeasureCallRates(IKivVolume2* volume, ISmokeCalculator* smoke, IPhoneSimControl* simulator,
                                const std::wstring& entry, const std::string& expectedInfoStart, int rounds,
                                CCallWatchdog* watchdog)
{
    CallRateResult result;
    unique_bstr path(entry.c_str());
    unique_bstr info;
    // The first answer fills the server's cache for that folder and is not timed.
    HRESULT hr;
    {
        CWatchedCall watched(watchdog, "GetInfo(" + Narrow(entry) + ")");
        hr = volume->GetInfo(path.get(), info.put());
    }
    if (FAILED(hr)) {
        result.failure = "GetInfo failed: " + DescribeFailure(hr, volume, IID_IKivVolume2);
        return result;
    }
    result.info = Narrow(info.c_str());
    if (result.info.compare(0, expectedInfoStart.size(), expectedInfoStart) != 0) {
        result.failure = "GetInfo(" + Narrow(entry) + ") answered \"" + result.info +
                         "\", expected it to begin with \"" + expectedInfoStart + "\"";
        return result;
    }

    auto getInfo = [&] { return volume->GetInfo(path.get(), info.put()); };
    {
        CWatchedCall watched(watchdog, "counted GetInfo(" + Narrow(entry) + ") calls");
        const CPhoneCallSpan span(simulator);
        for (int call = 0; SUCCEEDED(hr) && call < kCountedCalls; ++call)
            hr = getInfo();
        const long calls = span.Calls();
        if (FAILED(hr) || calls < 0) {
            result.failure = "counting the phone calls of GetInfo failed: " +
                             (FAILED(hr) ? DescribeFailure(hr, volume, IID_IKivVolume2) : "the count cannot be read");
            return result;
        }
        result.phoneCallsPerGetInfo = static_cast<double>(calls) / kCountedCalls;
    }
    auto empty = [&] {
        long id = 0;
        return smoke->ProcessId(&id);
    };
    for (int round = 0; round < rounds; ++round) {
        double rate = 0;
        // One arming per round: arming per call would add its own cost to the rates.
        CWatchedCall watched(watchdog, "round of GetInfo(" + Narrow(entry) + ") and ProcessId calls");
        hr = CallsPerSecond(empty, rate);
        if (FAILED(hr)) {
            result.failure = "ISmokeCalculator::ProcessId failed: " + DescribeFailure(hr, smoke, IID_ISmokeCalculator);
            return result;
        }
        result.emptyRates.push_back(rate);
        hr = CallsPerSecond(getInfo, rate);
        if (FAILED(hr)) {
            result.failure = "GetInfo failed: " + DescribeFailure(hr, volume, IID_IKivVolume2);
            return result;
        }
        result.getInfoRates.push_back(rate);
    }
    // The cached answer must still be the one the first call gave.
    if (Narrow(info.c_str()) != result.info)
        result.failure = "GetInfo answered \"" + Narrow(info.c_str()) + "\" after \"" + result.info + "\"";
    return result;
}
