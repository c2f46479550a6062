#include "DiffersTest.h"

#include "PcFiles.h"

#include "model/FileDescription.h"

#include "com/UniqueHandle.h"

#include <cmath>

namespace {

constexpr double kSecondsPerDay = 86400;

}  // namespace

bool SameSecond(DATE left, DATE right)
{
    return std::fabs(left - right) * kSecondsPerDay < 0.5;
}

SPcFileStamp ReadPcFileStamp(const wchar_t* path)
{
    SPcFileStamp stamp;
    tolv::com::unique_handle file(CreateFileW(path, GENERIC_READ,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return stamp;
    FILETIME created;
    SYSTEMTIME utc;
    DATE date = 0;
    ULONGLONG size = 0;
    if (!GetFileTime(file.get(), &created, nullptr, nullptr) || !FileTimeToSystemTime(&created, &utc))
        return stamp;
    if (SystemTimeToVariantTime(&utc, &date) && SUCCEEDED(ReadPcFileSize(file.get(), size))) {
        stamp.date = date;
        stamp.size = size;
    }
    return stamp;
}

bool PcFileDiffersFromPhoneFile(const wchar_t* pcPath, CFileDescription& phoneFile)
{
    const SPcFileStamp pc = ReadPcFileStamp(pcPath);
    DATE phoneDate = 0;
    long phoneSize = 0;
    // A phone file whose values cannot be read is not taken for the same file.
    if (FAILED(phoneFile.GetDate(phoneDate)) || FAILED(phoneFile.GetSize(phoneSize)))
        return true;
    return !SameSecond(pc.date, phoneDate) || !SameSize(pc.size, phoneSize);
}
