// Format of a drive: every folder and file of it goes; its label stays.
#pragma once

#include "platform/phonesim/LongOperation.h"

namespace phonesim {

class CFormatOperation final : public CLongOperation {
public:
    CFormatOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, wchar_t drive)
        : CLongOperation(std::move(phone), std::move(link), false),
          m_drive(drive)
    {
    }

protected:
    HRESULT Perform() override;
    bool RaiseProgress(LONG percent) override;
    void RaiseFailure(HRESULT error) override;
    void RaiseCompletion(HRESULT result) override;

private:
    const wchar_t m_drive;
    LONG m_removed = 0;
};

}  // namespace phonesim
