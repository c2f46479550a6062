#include "FolderScaleBench.h"

#include "ListingAnswer.h"
#include "ScaleFolder.h"
#include "SmallFile.h"

#include "bench/Stopwatch.h"
#include "bench/support/AsciiText.h"
#include "bench/support/CallFailure.h"
#include "bench/support/PhoneCallSpan.h"
#include "bench/support/ScratchFolder.h"

#include "com/UniqueBstr.h"

#include <string_view>

using tolv::com::unique_bstr;

namespace {

// Followed by the number of files; the same name below the PC folder behind E:.
const wchar_t* const kPhoneFolder = L"E:\\Scale";
constexpr size_t kDrivePrefix = 3;  // the drive, its colon and the backslash
const wchar_t* const kRemovalPattern = L"*.txt";
const char* const kFileInfoStart = "Type=File,";

// The first call of each kind meets the same state at both sizes (the first listing a folder
// never read, the first removal the files the last listing read): its count is the one compared.
void KeepFirst(long& kept, const CPhoneCallSpan& span)
{
    if (kept < 0)
        kept = span.Calls();
}

class CFolderScaleRun {
public:
    CFolderScaleRun(const FolderScaleSetup& setup, const FolderScaleCase& scale, FolderScaleSamples& samples)
        : m_setup(setup),
          m_scale(scale),
          m_samples(samples),
          m_phoneFolder(kPhoneFolder + std::to_wstring(scale.files) + L"\\"),
          m_pcFolder(setup.cardFolder + L"\\" + std::wstring(kPhoneFolder + kDrivePrefix) +
                     std::to_wstring(scale.files)),
          m_lastFile(ScaleFileName(scale.files - 1)),
          m_expectedSize(",Size=" + std::to_string(kSmallFileBytes) + ",")
    {
    }

    void Run()
    {
        for (int removal = 0; removal < m_scale.removals && m_samples.failure.empty(); ++removal) {
            if (!Fill())
                return;
            // The listing and the lookups see the folder as first filled; later rounds refill
            // it only to time the removal again.
            for (int listing = 0; removal == 0 && listing < m_scale.listings && m_samples.failure.empty(); ++listing)
                ListAndLookUp(listing);
            if (m_samples.failure.empty())
                Remove(removal);
        }
        RemoveFolderTree(m_pcFolder);
    }

private:
    std::string Label(const char* operation, int repetition) const
    {
        return std::string(operation) + " of the " + std::to_string(m_scale.files) + "-file folder, round " +
               std::to_string(repetition + 1);
    }

    bool Fail(const std::string& failure)
    {
        m_samples.failure = failure;
        return false;
    }

    bool Fill()
    {
        const HRESULT hr = FillScaleFolder(m_pcFolder, m_scale.files);
        if (FAILED(hr))
            return Fail("cannot fill " + Narrow(m_pcFolder) + ": " + DescribeFailure(hr, nullptr, IID_NULL));
        return true;
    }

    void ListAndLookUp(int listing)
    {
        unique_bstr folder(m_phoneFolder.c_str());
        unique_bstr answer;
        HRESULT hr;
        const CPhoneCallSpan span(m_setup.simulator);
        {
            CWatchedCall watched(m_setup.watchdog, Label("ListEntries", listing));
            CStopwatch watch;
            hr = m_setup.volume->ListEntries(folder.get(), VARIANT_FALSE, answer.put());
            m_samples.listing.push_back(watch.Seconds());
        }
        KeepFirst(m_samples.calls.listing, span);
        if (FAILED(hr)) {
            Fail("ListEntries(" + Narrow(m_phoneFolder) +
                 ") failed: " + DescribeFailure(hr, m_setup.volume, IID_IKivVolume2));
            return;
        }
        const std::wstring_view listed(answer.get() ? answer.get() : L"", answer.length());
        const size_t count = CountListedEntries(listed);
        if (count != static_cast<size_t>(m_scale.files) || !EndsWithEntry(listed, m_lastFile)) {
            Fail("ListEntries(" + Narrow(m_phoneFolder) + ") answered " + std::to_string(count) +
                 " entries instead of " + std::to_string(m_scale.files) + " ending with " + Narrow(m_lastFile));
            return;
        }
        if (!LookUp(listing, m_samples.firstLookup, m_samples.calls.firstLookup))
            return;
        for (int repeat = 0; repeat < m_scale.cachedLookups; ++repeat)
            if (!LookUp(listing, m_samples.cachedLookup, m_samples.calls.cachedLookup))
                return;
    }

    bool LookUp(int listing, std::vector<double>& samples, long& calls)
    {
        unique_bstr entry((m_phoneFolder + m_lastFile).c_str());
        unique_bstr answer;
        HRESULT hr;
        const CPhoneCallSpan span(m_setup.simulator);
        {
            CWatchedCall watched(m_setup.watchdog, Label("GetInfo of the last file", listing));
            CStopwatch watch;
            hr = m_setup.volume->GetInfo(entry.get(), answer.put());
            samples.push_back(watch.Seconds());
        }
        KeepFirst(calls, span);
        if (FAILED(hr))
            return Fail("GetInfo(" + Narrow(m_phoneFolder + m_lastFile) +
                        ") failed: " + DescribeFailure(hr, m_setup.volume, IID_IKivVolume2));
        m_samples.info = Narrow(answer.get() ? answer.get() : L"");
        if (m_samples.info.rfind(kFileInfoStart, 0) != 0 || m_samples.info.find(m_expectedSize) == std::string::npos)
            return Fail("GetInfo(" + Narrow(m_phoneFolder + m_lastFile) + ") answered \"" + m_samples.info +
                        "\", not a file of " + std::to_string(kSmallFileBytes) + " bytes");
        return true;
    }

    void Remove(int removal)
    {
        const std::wstring pattern = m_phoneFolder + kRemovalPattern;
        unique_bstr entry(pattern.c_str());
        HRESULT hr;
        const CPhoneCallSpan span(m_setup.simulator);
        {
            CWatchedCall watched(m_setup.watchdog, Label("RemoveEntry", removal));
            CStopwatch watch;
            hr = m_setup.volume->RemoveEntry(entry.get());
            m_samples.removal.push_back(watch.Seconds());
        }
        KeepFirst(m_samples.calls.removal, span);
        if (FAILED(hr)) {
            Fail("RemoveEntry(" + Narrow(pattern) +
                 ") failed: " + DescribeFailure(hr, m_setup.volume, IID_IKivVolume2));
            return;
        }
        const size_t left = CountFolderEntries(m_pcFolder);
        if (left != 0)
            Fail("RemoveEntry(" + Narrow(pattern) + ") reported success but " + std::to_string(left) +
                 " entries are still in " + Narrow(m_pcFolder));
    }

    const FolderScaleSetup& m_setup;
    const FolderScaleCase& m_scale;
    FolderScaleSamples& m_samples;
    const std::wstring m_phoneFolder;
    const std::wstring m_pcFolder;
    const std::wstring m_lastFile;
    const std::string m_expectedSize;
};

}  // namespace

FolderScaleSamples MeasureFolderScale(const FolderScaleSetup& setup, const FolderScaleCase& scale)
{
    FolderScaleSamples samples;
    CFolderScaleRun(setup, scale, samples).Run();
    return samples;
}
