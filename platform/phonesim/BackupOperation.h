// Backup of a drive into one PC file (BackupArchive.h). A file that cannot be read raises
// the error event with "can skip": answered VARIANT_FALSE the file is left out, VARIANT_TRUE
// ends the backup with that error.
#pragma once

#include "platform/phonesim/LongOperation.h"

namespace phonesim {

class CBackupWriter;

class CBackupOperation final : public CLongOperation {
public:
    CBackupOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, wchar_t drive,
                     std::wstring target)
        : CLongOperation(std::move(phone), std::move(link), false),
          m_drive(drive),
          m_target(std::move(target))
    {
    }

protected:
    HRESULT Perform() override;
    bool RaiseProgress(LONG percent) override;
    void RaiseFailure(HRESULT error) override;
    void RaiseCompletion(HRESULT result) override;

private:
    HRESULT Write(CBackupWriter& writer);

    const wchar_t m_drive;
    const std::wstring m_target;
    LONG m_fileNumber = 0;
    std::wstring m_fileName;
};

}  // namespace phonesim
