// The plug-ins' phone client against a scripted phone: drive choice, entry filter, free memory,
// emptying a folder of MP3 files and the photo operations.
#include "FakeVolume.h"

#include "plugins/common/ConnectionLoss.h"
#include "plugins/common/ErrorCodes.h"
#include "plugins/common/DeviceTexts.h"
#include "plugins/photopane/PhotoDevice.h"
#include "plugins/tunepane/Mp3Device.h"

#include "com/ComInit.h"
#include "ui/MessageBoxSeam.h"

#include <gtest/gtest.h>

#include <algorithm>

using tolv::com::com_ptr;

namespace {

// The boxes shown while the guard lives, answered with `answer`.
class AnsweredBoxes {
public:
    explicit AnsweredBoxes(int answer)
    {
        s_answer = answer;
        s_shown.clear();
        m_previous = tolv::ui::SetMessageBoxAnswerer(&Answer);
    }
    ~AnsweredBoxes() { tolv::ui::SetMessageBoxAnswerer(m_previous); }
    const std::vector<std::wstring>& Shown() const { return s_shown; }

private:
    static int Answer(HWND, const wchar_t* text, const wchar_t* caption, UINT)
    {
        s_shown.push_back(std::wstring(caption) + L": " + text);
        return s_answer;
    }
    static inline int s_answer = IDOK;
    static inline std::vector<std::wstring> s_shown;
    tolv::ui::MessageBoxAnswerer m_previous;
};

class TestMp3Device : public tolv::tunepane::CMp3Device {
public:
    explicit TestMp3Device(FakePhoneState& state) : CMp3Device(nullptr), m_state(state)
    {
        SetVolume(MakeFakeVolume2Interface(state));
    }

protected:
    HRESULT CreateOneVolume(com_ptr<IKivVolume>& oneVolume) override
    {
        oneVolume = MakeFakeOneVolume(m_state);
        return S_OK;
    }

private:
    FakePhoneState& m_state;
};

size_t CountCalls(const FakePhoneState& state, const std::wstring& prefix)
{
    return static_cast<size_t>(std::count_if(state.calls.begin(), state.calls.end(), [&](const std::wstring& call) {
        return call.compare(0, prefix.size(), prefix) == 0;
    }));
}

class DeviceTest : public testing::Test {
protected:
    tolv::com::com_init m_com{COINIT_APARTMENTTHREADED};
    FakePhoneState m_phone;
};

}  // namespace

TEST_F(DeviceTest, TheCardWinsOverPhoneMemoryAndIsFoundInsideLongerNames)
{
    TestMp3Device device(m_phone);
    // Not asked for the drives before the phone is known to be there.
    EXPECT_EQ(device.DriveTest(), L"");
    EXPECT_EQ(CountCalls(m_phone, L"ListDrives"), 0u);

    ASSERT_TRUE(device.IsConnected());
    EXPECT_EQ(device.DriveTest(), L"E:");
    m_phone.drives = L"C:,MultiMediaCard (E:),";
    EXPECT_EQ(device.DriveTest(), L"E:");
    m_phone.drives = L"C:,";
    EXPECT_EQ(device.DriveTest(), L"C:");
    m_phone.drives = L"D:,";
    EXPECT_EQ(device.DriveTest(), L"");

    m_phone.devices = L"";
    EXPECT_FALSE(device.IsConnected());
}

TEST_F(DeviceTest, EntryListsKeepOnlyNamesEndedByACommaWithTheExtension)
{
    const auto entries = tolv::plugins::EntriesToMap(L"a.mp3,b.MP3,c.Mp3,notes.txt,mp3,last.mp3", L".MP3");
    EXPECT_EQ(entries, (std::map<int, std::wstring>{{0, L"a.mp3"}, {1, L"b.MP3"}, {2, L"c.Mp3"}}));
    EXPECT_TRUE(tolv::plugins::EntriesToMap(L"photo.jpeg,photo.JPE,", L".JPG").empty());
}

TEST_F(DeviceTest, TheCapacityIsShownInKilobytesUpToAThousandAndInWholeMegabytesAbove)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"999000", L"999 KB"}, {L"1000000", L"1000 KB"}, {L"2000000", L"2 MB"},
        {L"2400000", L"2 MB"},  {L"2600000", L"3 MB"},    {L"0", L"0 KB"},
    };
    TestMp3Device device(m_phone);
    for (const auto& [bytes, shown] : cases) {
        m_phone.infos[L"E:"] = std::wstring(L"Label=Card,Capacity=") + bytes + L",Freespace=512000,";
        long freeSpace = -1;
        long capacity = -1;
        EXPECT_EQ(device.GetMemoryState(freeSpace, capacity), shown) << bytes;
        EXPECT_EQ(freeSpace, 512);
    }
}

TEST_F(DeviceTest, AFailedMemoryReadingIsTriedOnceMoreAfterASecond)
{
    TestMp3Device device(m_phone);
    m_phone.infos[L"E:"] = L"Label=Card,Capacity=2000000,Freespace=1000000,";
    m_phone.infoFailures[L"E:"] = {E_FAIL};
    long freeSpace = 0;
    long capacity = 0;
    const DWORD start = GetTickCount();
    EXPECT_EQ(device.GetMemoryState(freeSpace, capacity), L"2 MB");
    EXPECT_GE(GetTickCount() - start, 900u);
    EXPECT_EQ(freeSpace, 1000);

    // Twice failed: nothing is known, and no third try.
    m_phone.calls.clear();
    device.retryPauseMs = 0;
    m_phone.infoFailures[L"E:"] = {E_FAIL, E_FAIL};
    EXPECT_EQ(device.GetMemoryState(freeSpace, capacity), L"0 KB");
    EXPECT_EQ(capacity, 0);
    EXPECT_EQ(CountCalls(m_phone, L"GetInfo E:"), 2u);
}

TEST_F(DeviceTest, EmptyingAFolderAsksOnceAboutReadOnlyFilesAndDeletesThemOnlyAfterYes)
{
    const std::wstring folder = L"E:\\Mp3";
    auto fill = [&] {
        m_phone.files = {{L"E:\\Mp3\\a.mp3", true},
                         {L"E:\\Mp3\\b.MP3", true},
                         {L"E:\\Mp3\\c.Mp3", false},
                         {L"E:\\Mp3\\notes.txt", false}};
    };
    m_phone.listings[folder] = L"a.mp3,b.MP3,notes.txt,";
    m_phone.infos[L"E:\\Mp3\\a.mp3"] = L"Type=File,Attribute=ARCHIVE+READONLY,Size=1,Date=0,";
    m_phone.infos[L"E:\\Mp3\\b.MP3"] = L"Type=File,Attribute=READONLY,Size=1,Date=0,";
    const tolv::tunepane::CMp3Device::ReadOnlyQuestion question{L"Delete read-only?", L"Copy MP3 to phone"};
    TestMp3Device device(m_phone);

    fill();
    {
        AnsweredBoxes no(IDNO);
        EXPECT_EQ(device.DeleteAll(folder, question), S_OK);
        EXPECT_EQ(no.Shown(), std::vector<std::wstring>{L"Copy MP3 to phone: Delete read-only?"});
    }
    EXPECT_EQ(m_phone.files.size(), 3u);
    EXPECT_EQ(m_phone.files.count(L"E:\\Mp3\\c.Mp3"), 0u);

    fill();
    {
        AnsweredBoxes yes(IDYES);
        EXPECT_EQ(device.DeleteAll(folder, question), S_OK);
        EXPECT_EQ(yes.Shown().size(), 1u);
    }
    EXPECT_EQ(m_phone.files, (std::map<std::wstring, bool>{{L"E:\\Mp3\\notes.txt", false}}));
    // The attributes written back are the file's own without the read-only bit.
    EXPECT_EQ(CountCalls(m_phone, L"SetAttributes E:\\Mp3\\a.mp3 32"), 1u);
    EXPECT_EQ(CountCalls(m_phone, L"SetAttributes E:\\Mp3\\b.MP3 128"), 1u);
}

TEST_F(DeviceTest, EmptyingAFolderStopsAtOnceWhenTheConnectionIsLost)
{
    TestMp3Device device(m_phone);
    m_phone.removeFailure = KIV_E_NOCONNECTION;
    AnsweredBoxes boxes(IDYES);
    EXPECT_EQ(device.DeleteAll(L"E:\\Mp3", {L"?", L"?"}), KIV_E_NOCONNECTION);
    EXPECT_EQ(CountCalls(m_phone, L"RemoveEntry"), 1u);
    EXPECT_TRUE(boxes.Shown().empty());

    // A failure that is not a lost connection is passed over.
    m_phone.calls.clear();
    m_phone.removeFailure = E_ACCESSDENIED;
    EXPECT_EQ(device.DeleteAll(L"E:\\Mp3", {L"?", L"?"}), S_OK);
    EXPECT_EQ(CountCalls(m_phone, L"RemoveEntry"), 4u);
}

TEST_F(DeviceTest, AFolderTheCardDoesNotHaveYetHasNothingToEmpty)
{
    // A fresh card has no MP3 folder; the upload creates it, so emptying it must not end the job.
    TestMp3Device device(m_phone);
    m_phone.removeFailure = KIV_E_FOLDERNOTFOUND;
    EXPECT_EQ(device.DeleteAll(L"E:\\Mp3", {L"?", L"?"}), S_OK);
    EXPECT_EQ(CountCalls(m_phone, L"RemoveEntry"), 1u);
}

TEST_F(DeviceTest, OnlyTheConnectionLossCodesCountAsLost)
{
    for (HRESULT lost : {RPC_E_WRONG_THREAD, CO_E_OBJNOTCONNECTED, static_cast<HRESULT>(KIV_E_BADCONNECTION),
                         static_cast<HRESULT>(KIV_E_DRIVENOTFOUND), HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE)})
        EXPECT_TRUE(tolv::plugins::IsConnectionLost(lost)) << std::hex << lost;
    for (HRESULT kept :
         {E_FAIL, E_ACCESSDENIED, tolv::plugins::kNetworkNotConnected, static_cast<HRESULT>(KIV_E_FILENOTFOUND)})
        EXPECT_FALSE(tolv::plugins::IsConnectionLost(kept)) << std::hex << kept;
}

TEST_F(DeviceTest, PhotoDownloadsPassTheirChoicesAndAMissingFolderIsToldOnce)
{
    tolv::photopane::CPhotoDevice device(nullptr);
    device.SetVolume(MakeFakeVolume2Interface(m_phone));
    m_phone.listings[L"E:\\Images"] = L"a.jpg,b.JPG,c.jpeg,d.JPE,";
    EXPECT_EQ(device.GetDeviceData(L"E:\\Images"), (std::map<int, std::wstring>{{0, L"a.jpg"}, {1, L"b.JPG"}}));

    ASSERT_EQ(device.CopyToPC(L"E:\\Images\\a.jpg", L"C:\\Photos", true, true), S_OK);
    ASSERT_EQ(device.CopyToPC(L"E:\\Images\\b.JPG", L"C:\\Photos", false, false), S_OK);
    EXPECT_EQ(CountCalls(m_phone, L"CopyToPC E:\\Images\\a.jpg C:\\Photos " +
                                      std::to_wstring(eBlocked | eNoOverwrite | eLeaveIfDifferent | eMove)),
              1u);
    EXPECT_EQ(CountCalls(m_phone, L"CopyToPC E:\\Images\\b.JPG C:\\Photos " + std::to_wstring(eBlocked)), 1u);

    AnsweredBoxes boxes(IDOK);
    bool exists = false;
    const tolv::photopane::CPhotoDevice::MissingFolderWarning warning{L"Photo index on mobile not found",
                                                                      L"Copy photos to PC"};
    EXPECT_EQ(device.DirectoryExist(L"E:\\Images", exists, warning), S_OK);
    EXPECT_TRUE(exists);
    EXPECT_EQ(device.DirectoryExist(L"E:\\Nothing", exists, warning), KIV_E_FOLDERNOTFOUND);
    EXPECT_FALSE(exists);
    EXPECT_EQ(boxes.Shown(), std::vector<std::wstring>{L"Copy photos to PC: Photo index on mobile not found"});
}
