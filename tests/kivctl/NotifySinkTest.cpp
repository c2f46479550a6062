#include "tools/kivctl/NotifySink.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "com/UniqueBstr.h"

namespace {

class RecordingChangeObserver final : public IKivctlChangeObserver {
public:
    void OnFolderChanged(const std::wstring& path) override { paths.push_back(path); }

    std::vector<std::wstring> paths;
};

}  // namespace

TEST(KivctlNotifySink, PassesEachReportedPathOnAndDropsThemWithoutObserver)
{
    tolv::com::com_ptr<tolv::com::ComObject<CKivctlNotifySink>> sink;
    ASSERT_EQ(tolv::com::ComObject<CKivctlNotifySink>::Create(sink), S_OK);
    // Kivlink asks the registered IUnknown for the sink interface at each callback.
    tolv::com::com_ptr<IKivNotifySink> asked;
    ASSERT_EQ(tolv::com::com_ptr<IUnknown>(static_cast<IKivNotifySink*>(sink.get())).query(asked), S_OK);

    EXPECT_EQ(asked->OnChange(tolv::com::unique_bstr(L"\\Images\\").get()), S_OK);
    RecordingChangeObserver observer;
    sink->SetObserver(&observer);
    EXPECT_EQ(asked->OnChange(tolv::com::unique_bstr(L"MultiMediaCard (E:)\\Sounds\\").get()), S_OK);
    EXPECT_EQ(asked->OnChange(nullptr), S_OK);
    sink->SetObserver(nullptr);
    EXPECT_EQ(asked->OnChange(tolv::com::unique_bstr(L"\\Later\\").get()), S_OK);
    EXPECT_EQ(observer.paths, (std::vector<std::wstring>{L"MultiMediaCard (E:)\\Sounds\\", L""}));
}
