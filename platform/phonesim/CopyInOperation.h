// Copy of a PC file into a phone folder, under the PC file's own name.
#pragma once

#include "platform/phonesim/LongOperation.h"

namespace phonesim {

class CCopyInOperation final : public CLongOperation {
public:
    CCopyInOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, std::wstring source,
                     PhonePath target)
        : CLongOperation(std::move(phone), std::move(link), true),
          m_source(std::move(source)),
          m_target(std::move(target))
    {
    }

protected:
    HRESULT Perform() override;
    bool RaiseProgress(LONG percent) override;
    void RaiseFailure(HRESULT error) override;
    void RaiseCompletion(HRESULT result) override;

private:
    const std::wstring m_source;
    PhonePath m_target;
};

}  // namespace phonesim
