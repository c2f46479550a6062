// Copy of a phone file to a PC path.
#pragma once

#include "platform/phonesim/LongOperation.h"

namespace phonesim {

class CCopyOutOperation final : public CLongOperation {
public:
    CCopyOutOperation(std::shared_ptr<CSimPhone> phone, std::shared_ptr<CApplicationLink> link, PhonePath source,
                      std::wstring target)
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
    const PhonePath m_source;
    std::wstring m_target;
};

}  // namespace phonesim
