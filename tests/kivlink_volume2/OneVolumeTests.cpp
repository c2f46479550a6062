// The one-volume interface (KivMobilePhone) from a client process: the phone memory as the
// volume, the memory card as its folder "MultiMediaCard (E:)".
#include "VolumeFixture.h"

#include "tests/support/TestThread.h"

#include "com/UniqueBstr.h"
#include "com/UniqueVariant.h"

#include <oleauto.h>

#include <atomic>
#include <cstring>
#include <string>

using tolv::com::com_ptr;
using tolv::com::unique_bstr;
using tolv::com::unique_variant;

namespace {

constexpr long kMmcRootAttributes = 0x60000010;
constexpr LONG kNameColumn = 0;
constexpr LONG kSizeColumn = 2;
constexpr LONG kAttributesColumn = 3;

struct Row {
    std::wstring name;
    long size = 0;
    long attributes = 0;
};

std::vector<Row> Rows(const VARIANT& entries)
{
    std::vector<Row> rows;
    if (entries.vt != (VT_ARRAY | VT_VARIANT) || SafeArrayGetDim(entries.parray) != 2)
        return rows;
    LONG last = -1;
    SafeArrayGetUBound(entries.parray, 1, &last);
    for (LONG row = 0; row <= last; ++row) {
        Row found;
        for (LONG column : {kNameColumn, kSizeColumn, kAttributesColumn}) {
            LONG index[2] = {row, column};
            unique_variant cell;
            SafeArrayGetElement(entries.parray, index, cell.get());
            if (column == kNameColumn && cell.type() == VT_BSTR)
                found.name = Text(cell.get()->bstrVal);
            else if (column == kSizeColumn && cell.type() == VT_I4)
                found.size = cell.get()->lVal;
            else if (cell.type() == VT_I4)
                found.attributes = cell.get()->lVal;
        }
        rows.push_back(found);
    }
    return rows;
}

bool FolderExists(const std::wstring& pcPath)
{
    const DWORD attributes = GetFileAttributesW(pcPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Answers the server's box with this caption as a user would, and tells what it said.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::wstring caption)
        : m_caption(std::move(caption)),
          m_thread([this] {
              for (int attempt = 0; attempt < kAttempts && !m_stop; ++attempt) {
                  if (HWND box = FindWindowW(L"#32770", m_caption.c_str())) {
                      wchar_t text[512] = {};
                      GetDlgItemTextW(box, kMessageTextId, text, static_cast<int>(std::size(text)));
                      m_text = text;
                      PostMessageW(box, WM_COMMAND, IDOK, 0);
                      return;
                  }
                  Sleep(kPollMs);
              }
          })
    {
    }
    ~BoxAnswerer()
    {
        m_stop = true;
        m_thread.Join();
    }
    std::wstring Text()
    {
        m_thread.Join();
        return m_text;
    }

private:
    static constexpr int kAttempts = 300;
    static constexpr DWORD kPollMs = 50;
    static constexpr int kMessageTextId = 0xFFFF;
    std::wstring m_caption;
    std::wstring m_text;
    std::atomic<bool> m_stop{false};
    TestThread m_thread;
};

class OneVolumeTest : public VolumeTest {
protected:
    void SetUp() override
    {
        VolumeTest::SetUp();
        ASSERT_EQ(
            CoCreateInstance(CLSID_KivMobilePhone, nullptr, CLSCTX_LOCAL_SERVER, IID_IKivVolume, m_phone.put_void()),
            S_OK);
    }
    void TearDown() override
    {
        m_phone = nullptr;
        VolumeTest::TearDown();
    }

    HRESULT Entries(const wchar_t* path, bool foldersOnly, std::vector<Row>& rows)
    {
        unique_variant entries;
        const HRESULT hr =
            m_phone->GetEntries(unique_bstr(path).get(), foldersOnly ? VARIANT_TRUE : VARIANT_FALSE, entries.get());
        rows = Rows(*entries.get());
        return hr;
    }
    HRESULT OnePath(HRESULT (STDMETHODCALLTYPE IKivVolume::*method)(BSTR), const wchar_t* path)
    {
        return (m_phone.get()->*method)(unique_bstr(path).get());
    }
    HRESULT TwoPaths(HRESULT (STDMETHODCALLTYPE IKivVolume::*method)(BSTR, BSTR), const wchar_t* from,
                     const wchar_t* to)
    {
        return (m_phone.get()->*method)(unique_bstr(from).get(), unique_bstr(to).get());
    }

    com_ptr<IKivVolume> m_phone;
};

}  // namespace

TEST_F(OneVolumeTest, ThePhoneMemoryRootListsTheCardFirstAndAPathWithoutDriveMeansThePhoneMemory)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\rootfile.txt"), 12));
    for (const wchar_t* root : {L"C:\\", L"\\"}) {
        std::vector<Row> rows;
        ASSERT_EQ(Entries(root, false, rows), S_OK) << Text(unique_bstr(root).get());
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(rows[0].name, L"MultiMediaCard (E:)");
        EXPECT_EQ(rows[0].attributes, kMmcRootAttributes);
        EXPECT_EQ(rows[0].size, 0);
        bool fileListed = false;
        for (const Row& row : rows)
            fileListed = fileListed || (row.name == L"rootfile.txt" && row.size == 12);
        EXPECT_TRUE(fileListed);
    }
}

TEST_F(OneVolumeTest, TheCardFolderFiltersByWildcardAndFoldersOnlyAndAnEmptyFolderAnswersFalse)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Filtered\\one.jpg"), 3));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Filtered\\two.png"), 3));
    ASSERT_TRUE(WriteTestFile(BackingPath(L"E:\\Filtered\\Sub\\three.jpg"), 3));
    std::vector<Row> rows;
    ASSERT_EQ(Entries(L"MultiMediaCard (E:)\\Filtered\\*.jpg", false, rows), S_OK);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, L"one.jpg");

    ASSERT_EQ(Entries(L"MultiMediaCard (E:)\\Filtered\\", true, rows), S_OK);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, L"Sub");
    EXPECT_EQ(rows[0].attributes, FILE_ATTRIBUTE_DIRECTORY);

    ASSERT_TRUE(CreateDirectoryW(BackingPath(L"E:\\Filtered\\Empty").c_str(), nullptr));
    unique_variant untouched;
    EXPECT_EQ(m_phone->GetEntries(unique_bstr(L"E:\\Filtered\\Empty\\").get(), VARIANT_FALSE, untouched.get()),
              S_FALSE);
    EXPECT_EQ(untouched.type(), VT_EMPTY);
    // A folder that is not there lists as nothing, not as a failure.
    EXPECT_EQ(Entries(L"E:\\Filtered\\Missing\\", false, rows), S_FALSE);
}

TEST_F(OneVolumeTest, APathOfTheRetiredShellExtensionIsRefusedWithItsBox)
{
    const wchar_t* retired = L"%MMC%\\Images";
    BoxAnswerer answerer(retired);
    EXPECT_EQ(OnePath(&IKivVolume::CreateDir, retired), E_UNEXPECTED);
    EXPECT_EQ(answerer.Text(),
              L"Detected use of an old version of Kiv SNE (KivShellExt.dll), please re-install your PLR software");
    EXPECT_FALSE(FolderExists(BackingPath(L"C:\\%MMC%")));
}

TEST_F(OneVolumeTest, FoldersAreMadeRecursivelyAskedForSubfoldersMovedAndRemoved)
{
    EXPECT_EQ(OnePath(&IKivVolume::CreateDir, L"\\Made\\Deep"), S_OK);
    EXPECT_TRUE(FolderExists(BackingPath(L"C:\\Made\\Deep")));
    VARIANT_BOOL subFolders = 0;
    ASSERT_EQ(m_phone->HasSubDirs(unique_bstr(L"C:\\Made").get(), &subFolders), S_OK);
    // 1, not VARIANT_TRUE: callers compare with 1.
    EXPECT_EQ(subFolders, 1);
    ASSERT_EQ(m_phone->HasSubDirs(unique_bstr(L"C:\\Made\\Deep").get(), &subFolders), S_OK);
    EXPECT_EQ(subFolders, 0);
    EXPECT_EQ(m_phone->HasSubDirs(unique_bstr(L"C:\\NoSuchFolder").get(), &subFolders), E_INVALIDARG);

    EXPECT_EQ(TwoPaths(&IKivVolume::MoveDir, L"C:\\Made\\Deep", L"C:\\Made\\Moved"), S_OK);
    EXPECT_TRUE(FolderExists(BackingPath(L"C:\\Made\\Moved")));
    EXPECT_EQ(TwoPaths(&IKivVolume::MoveDir, L"C:\\Made\\Gone", L"C:\\Made\\Other"), E_INVALIDARG);
    EXPECT_EQ(OnePath(&IKivVolume::RemoveDir, L"C:\\Made\\Moved"), S_OK);
    EXPECT_FALSE(FolderExists(BackingPath(L"C:\\Made\\Moved")));
    EXPECT_EQ(OnePath(&IKivVolume::RemoveDir, L"C:\\Made\\Moved"), E_INVALIDARG);
}

TEST_F(OneVolumeTest, TheStandardFoldersAreAllMade)
{
    EXPECT_EQ(m_phone->CreateStdDirs(), S_OK);
    for (const wchar_t* folder : {L"C:\\MP3", L"E:\\MP3", L"C:\\Images", L"E:\\Images", L"E:\\Others", L"E:\\Sounds",
                                  L"E:\\System", L"E:\\Videos"})
        EXPECT_TRUE(FolderExists(BackingPath(folder))) << Text(unique_bstr(folder).get());
    EXPECT_EQ(m_phone->CreateStdDirsEx(unique_bstr(L"ignored").get()), S_OK);
}

TEST_F(OneVolumeTest, FilesAreDeletedMovedCopiedAndGivenAttributesByKind)
{
    ASSERT_TRUE(WriteTestFile(BackingPath(L"C:\\Files\\a.txt"), 40));
    EXPECT_EQ(TwoPaths(&IKivVolume::Copy, L"C:\\Files\\a.txt", L"C:\\Files\\b.txt"), S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(L"C:\\Files\\b.txt")), 40);
    // The copy does not replace what is there.
    EXPECT_EQ(TwoPaths(&IKivVolume::Copy, L"C:\\Files\\a.txt", L"C:\\Files\\b.txt"), KIV_E_FILEEXISTSALREADY);
    EXPECT_EQ(TwoPaths(&IKivVolume::Copy, L"C:\\Files", L"C:\\Elsewhere"), KIV_E_SERVICENOTSUPPORTED);

    // Only the letter case differs: another name to the user, the same file to the phone.
    EXPECT_EQ(TwoPaths(&IKivVolume::Move, L"C:\\Files\\a.txt", L"C:\\Files\\A.TXT"), E_INVALIDARG);
    EXPECT_EQ(TwoPaths(&IKivVolume::Move, L"C:\\Files\\a.txt", L"C:\\Files\\c.txt"), S_OK);
    EXPECT_TRUE(FileExists(BackingPath(L"C:\\Files\\c.txt")));
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Files\\a.txt")));

    EXPECT_EQ(m_phone->SetAttributes(unique_bstr(L"C:\\Files").get(), FILE_ATTRIBUTE_READONLY), E_INVALIDARG);
    EXPECT_EQ(m_phone->SetAttributes(unique_bstr(L"C:\\Files\\c.txt").get(), FILE_ATTRIBUTE_READONLY), S_OK);
    EXPECT_EQ(OnePath(&IKivVolume::Delete, L"C:\\Files\\c.txt"), static_cast<HRESULT>(0x80071779));
    EXPECT_TRUE(FileExists(BackingPath(L"C:\\Files\\c.txt")));
    EXPECT_EQ(OnePath(&IKivVolume::Delete, L"C:\\Files\\b.txt"), S_OK);
    EXPECT_FALSE(FileExists(BackingPath(L"C:\\Files\\b.txt")));
    EXPECT_EQ(OnePath(&IKivVolume::Delete, L"C:\\Files\\b.txt"), E_INVALIDARG);
}

TEST_F(OneVolumeTest, TheVolumeIsThePhoneMemoryForLabelAndSpace)
{
    EXPECT_EQ(m_phone->SetLabel(unique_bstr(L"Pocket").get()), S_OK);
    unique_bstr label;
    ASSERT_EQ(m_phone->GetLabel(label.put()), S_OK);
    EXPECT_EQ(Text(label.get()), L"Pocket");
    LONG total = 0;
    LONG free = 0;
    ASSERT_EQ(m_phone->GetCapacity(&total, &free), S_OK);
    EXPECT_GT(total, 0);
    EXPECT_LE(free, total);
    LONG cardTotal = 0;
    LONG cardFree = 0;
    ASSERT_EQ(m_phone->GetCapacityEx(unique_bstr(L"MultiMediaCard (E:)").get(), &cardTotal, &cardFree), S_OK);
    EXPECT_GT(cardTotal, 0);
}

TEST_F(OneVolumeTest, PortsNameTheConnectedPhoneAndTheRetiredMethodsSaySo)
{
    EXPECT_EQ(m_phone->SelectPort(unique_bstr(L"").get()), E_INVALIDARG);
    EXPECT_EQ(m_phone->SelectPort(unique_bstr(L"COM99").get()), E_NOINTERFACE);
    EXPECT_EQ(m_phone->Format(), E_NOTIMPL);
    EXPECT_EQ(m_phone->SetTime(unique_bstr(L"C:\\x.txt").get(), 1.0, 1.0, 1.0), E_NOTIMPL);
    unique_variant slots;
    EXPECT_EQ(m_phone->GetSlotNames(stBMP, slots.get()), E_NOTIMPL);
}

TEST_F(OneVolumeTest, AStreamIsStoredAsAPhoneFileWithItsAttributes)
{
    const std::string content(70000, 'k');
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, content.size());
    ASSERT_NE(memory, nullptr);
    std::memcpy(GlobalLock(memory), content.data(), content.size());
    GlobalUnlock(memory);
    com_ptr<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(memory, TRUE, stream.put()), S_OK);

    ASSERT_EQ(m_phone->PutFile(unique_bstr(L"MultiMediaCard (E:)\\Put\\stored.bin").get(), stream.get(),
                               FILE_ATTRIBUTE_READONLY),
              E_INVALIDARG)
        << "no folder to store into";
    ASSERT_TRUE(CreateDirectoryW(BackingPath(L"E:\\Put").c_str(), nullptr));
    ASSERT_EQ(m_phone->PutFile(unique_bstr(L"MultiMediaCard (E:)\\Put\\stored.bin").get(), stream.get(),
                               FILE_ATTRIBUTE_READONLY),
              S_OK);
    EXPECT_EQ(FileSizeOf(BackingPath(L"E:\\Put\\stored.bin")), static_cast<long long>(content.size()));
    std::vector<Row> rows;
    ASSERT_EQ(Entries(L"E:\\Put\\", false, rows), S_OK);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].attributes & FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_READONLY);
    // Read-only now: a second store is refused and the file stays.
    EXPECT_EQ(m_phone->PutFile(unique_bstr(L"E:\\Put\\stored.bin").get(), stream.get(), 0),
              static_cast<HRESULT>(0x80071779));
    EXPECT_EQ(m_phone->PutFile(unique_bstr(L"E:\\Put\\other.bin").get(), nullptr, 0), E_NOINTERFACE);
}
