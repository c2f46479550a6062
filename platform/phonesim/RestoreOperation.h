// Restore of a drive from a backup file: folders are created, files written back with their
// attributes and dates; a file that exists raises the existing-file question first.
#pragma once

#include "platform/phonesim/LongOperation.h"

namespace phonesim {

class CRestoreOperation final : public CLongOperation {
public:
    CRestoreOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, wchar_t drive,
                      std::wstring source)
        : CLongOperation(std::move(phone), std::move(link), false),
          m_drive(drive),
          m_source(std::move(source))
    {
    }

protected:
    HRESULT Perform() override;
    bool RaiseProgress(LONG percent) override;
    void RaiseFailure(HRESULT error) override;
    void RaiseCompletion(HRESULT result) override;

private:
    const wchar_t m_drive;
    const std::wstring m_source;
    LONG m_fileNumber = 0;
    std::wstring m_fileName;
};

}  // namespace phonesim
