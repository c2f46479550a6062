// What C++ code gets from the generated header: enumerations usable as HRESULTs and flags,
// and identifiers reachable through __uuidof and the IID_/CLSID_/LIBID_ symbols.
#include <gtest/gtest.h>

#include <type_traits>

#include "KivlinkLib.h"

namespace {

constexpr HRESULT Code(unsigned long value)
{
    return static_cast<HRESULT>(value);
}

// Compared with an HRESULT without a sign warning (this file builds with -Werror).
static_assert(std::is_same_v<std::underlying_type_t<KIV_HRESULT_Type>, int>);
static_assert(std::is_same_v<std::underlying_type_t<ErrorCodes>, int>);

static_assert(KIV_E_ABORT == Code(0x80040300));
static_assert(KIV_E_RESUMELATER == Code(0x80040301));
static_assert(KIV_E_DISKCHANGED == Code(0x8004C0B2));
static_assert(KIV_E_FILEEXISTSALREADY == Code(0x8004C0C9));
static_assert(KIV_E_FILENOTFOUND == Code(0x8004C0C4));
static_assert(KIV_E_SYSTEMFILE == Code(0x8004C0C5));
static_assert(KIV_E_SCQIRESPONSETIMEOUT == Code(0x8004E001));
static_assert(KIV_E_DRIVENOTFOUND == Code(0x8004E002));
static_assert(KIV_E_FOLDERNOTFOUND == Code(0x8004E003));
static_assert(KIV_E_DEVICENOTFOUND == Code(0x8004E004));
static_assert(KIV_E_REQUEST_PANIC == Code(0x8004E005));
static_assert(KIV_E_INVALIDSCQIPOINTER == Code(0x8004E006));
static_assert(KIV_E_SERVICENOTSUPPORTED == Code(0x80048001));
static_assert(KIV_E_PORTUSED == Code(0x8004A001));
static_assert(KIV_E_INVALIDPORT == Code(0x8004A002));
static_assert(KIV_E_NOVOSTREL == Code(0x8004A004));
static_assert(KIV_E_IRDASOCKETNOTSUPPORTED == Code(0x8004A010));
static_assert(KIV_E_IRDANOTINSTALLED == Code(0x8004A011));
static_assert(KIV_E_WRONGDRIVER == Code(0x8004A012));
static_assert(KIV_E_SOCKETNOTSUPPORTED == Code(0x8004A013));
static_assert(KIV_E_MSNOTSUPPORTED == Code(0x8004A014));
static_assert(KIV_E_CANCELLED == Code(0x8004A0FF));
static_assert(KIV_E_NOCONNECTION == Code(0x8004B001));
static_assert(KIV_E_PROXYNOCONNECTION == Code(0x8004B002));
static_assert(KIV_E_METHODNOTSUPPORTED == Code(0x8004B003));
static_assert(KIV_E_BADCONNECTION == Code(0x8004B004));
static_assert(KIV_E_SOCKETTIMEOUT == Code(0x8004B015));
static_assert(KIV_E_TIMEOUT == Code(0x8004B016));
static_assert(KIV_E_FATAL == Code(0x8004FFFF));

static_assert(ecAbort == Code(0x80040300) && ecResumeLater == Code(0x80040301));
static_assert(ecServiceNotSupported == Code(0x80048001) && ecPortUsed == Code(0x8004A001));
static_assert(ecInvalidPort == Code(0x8004A002) && ecNoVostrel == Code(0x8004A004));
static_assert(ecBadConnection == Code(0x8004B004) && ecNoConnection == Code(0x8004B001));
static_assert(ecDiskChanged == Code(0x8004C0B2) && ecFileNotFound == Code(0x8004C0C4));
static_assert(ecSystemFile == Code(0x8004C0C5) && ecFileExistsAlready == Code(0x8004C0C9));
static_assert(ecFatalError == Code(0x8004FFFF) && ecSocketNotSupported == Code(0x8004A013));
static_assert(ecIrdaSocketNotSupported == Code(0x8004A010) && ecIRDANotInstalled == Code(0x8004A011));
static_assert(ecWrongDriver == Code(0x8004A012) && ecSCQIResponseTimeout == Code(0x8004E001));
static_assert(ecDriveNotFound == Code(0x8004E002) && ecFolderNotFound == Code(0x8004E003));
static_assert(ecDeviceNotFound == Code(0x8004E004) && ecRequestPanic == Code(0x8004E005));
static_assert(ecInvalidSCQIPointer == Code(0x8004E006));

static_assert(eBlocked == 1 && eNoOverwrite == 2 && eMove == 4 && eLeaveIfDifferent == 8);
static_assert((eBlocked | eNoOverwrite) == 3 && (eBlocked | eNoOverwrite | eLeaveIfDifferent) == 0xB);
static_assert(geName == 0 && geShortName == 1 && geSize == 2 && geAttributes == 3 && geCreationTime == 4 &&
              geLastAccessTime == 5 && geLastWriteTime == 6 && geIndex == 7);
static_assert(Id == 0 && Name == 1 && IrmcSupport == 2);
static_assert(aidFormat == 0 && aidBackup == 1 && aidRestore == 2 && aidCopyFromPC == 3 && aidCopyToPC == 4 &&
              aidConversion == 5);
static_assert(cidUpdateDir == 0 && cidUpdateItem == 1 && cidRmDir == 2 && cidMkDir == 3 && cidRenameFolder == 4 &&
              cidCreate == 5 && cidDelete == 6 && cidRenameItem == 7 && cidMediaInserted == 8 && cidMediaRemoved == 9);
static_assert(eventGeneral == 0 && eventReceived == 3 && eventIncomingCall == 4);
static_assert(dgcsDisconnected == 0 && dgcsConnected == 1);
static_assert(PHYSICAL_PORTS == 1 && VIRTUAL_PORTS == 2 && ALL_PORTS == 3 && IRDA_SOCKET == 4 && IRDA_COMMPORT == 8);
static_assert(stBMP == 0 && stMID == 1);
static_assert(FILE_ATTRIBUTE_VOLUME == 0x40000000 && FILE_ATTRIBUTE_REMOVEABLE == 0x20000000);
static_assert((FILE_ATTRIBUTE_VOLUME | FILE_ATTRIBUTE_REMOVEABLE | FILE_ATTRIBUTE_DIRECTORY) == 0x60000010);
static_assert(pwcmManual == 0 && pwcmAutomatic == 1);
static_assert(FOLDER_SMS_ARCHIVE_DRAFT == FOLDER_RINGINGTONE_EMS && FOLDER_SYSTEM_WAP == 30);

bool Same(const GUID& a, const wchar_t* text)
{
    GUID b{};
    return SUCCEEDED(CLSIDFromString(text, &b)) && IsEqualGUID(a, b);
}

TEST(GeneratedHeader, FailureCodesCompareWithHResults)
{
    const HRESULT fromServer = Code(0x8004B001);
    EXPECT_EQ(fromServer, KIV_E_NOCONNECTION);
    EXPECT_TRUE(FAILED(KIV_E_FATAL));
    EXPECT_TRUE(fromServer == ecNoConnection);
}

TEST(GeneratedHeader, UuidofAndSymbolsNameTheLibrarysIdentifiers)
{
    EXPECT_TRUE(Same(LIBID_KivlinkLib, L"{FC889581-2218-11D7-B948-FFFFFF000000}"));

    EXPECT_TRUE(Same(__uuidof(IKivVolume), L"{D73D7EA7-AD8A-11D3-A271-00105A3B325A}"));
    EXPECT_TRUE(Same(__uuidof(IKivVolume2), L"{C871502C-604F-443A-A33E-828960DA48D1}"));
    EXPECT_TRUE(Same(__uuidof(IKivGeneral), L"{BB4BC2E2-025E-443E-88F4-24FE6DE8B74E}"));
    EXPECT_TRUE(Same(__uuidof(IPhoneServer), L"{C73F5902-4EE6-4D2B-A438-4FD910B2910B}"));
    EXPECT_TRUE(Same(__uuidof(IKivAllServerEvents), L"{68247631-A854-495B-8B9B-FE323C1FE670}"));
    EXPECT_TRUE(Same(__uuidof(_IKivPhoneWatchEvents), L"{BFE99EAF-375A-40A3-B92F-A353DB4D8F41}"));
    EXPECT_TRUE(Same(__uuidof(IKivNotifySink), L"{8DAB6603-AD9C-11D3-A271-00105A3B325A}"));
    EXPECT_TRUE(Same(__uuidof(IDcoMSG), L"{24873103-01CE-4C6F-80DF-179739A79783}"));
    EXPECT_TRUE(Same(__uuidof(IDcoMMSCommunicator), L"{F3B95565-5643-40FB-9575-56579E1994A4}"));
    EXPECT_TRUE(Same(__uuidof(IKivAB), L"{8FC8C28D-3C23-4DD2-A02D-0C238C2C960B}"));
    EXPECT_TRUE(IsEqualGUID(IID_IKivVolume, __uuidof(IKivVolume)));
    EXPECT_TRUE(IsEqualGUID(IID_IKivVolume2, __uuidof(IKivVolume2)));
    EXPECT_TRUE(IsEqualGUID(IID_IKivGeneral, __uuidof(IKivGeneral)));
    EXPECT_TRUE(IsEqualGUID(IID_IPhoneServer, __uuidof(IPhoneServer)));
    EXPECT_TRUE(IsEqualGUID(DIID_IKivAllServerEvents, __uuidof(IKivAllServerEvents)));
    EXPECT_TRUE(IsEqualGUID(DIID__IKivPhoneWatchEvents, __uuidof(_IKivPhoneWatchEvents)));
    EXPECT_TRUE(IsEqualGUID(IID_IKivNotifySink, __uuidof(IKivNotifySink)));

    EXPECT_TRUE(Same(__uuidof(KivGeneral), L"{A3AF8BEC-5481-4996-9379-221E8BF39EC3}"));
    EXPECT_TRUE(Same(__uuidof(KivMobilePhone), L"{FC8895A5-2218-11D7-B948-FFFFFF000000}"));
    EXPECT_TRUE(Same(__uuidof(KivVolume2), L"{FC8895A7-2218-11D7-B948-FFFFFF000000}"));
    EXPECT_TRUE(Same(__uuidof(PhoneServerSymbian), L"{AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE}"));
    EXPECT_TRUE(IsEqualGUID(CLSID_KivGeneral, __uuidof(KivGeneral)));
    EXPECT_TRUE(IsEqualGUID(CLSID_KivMobilePhone, __uuidof(KivMobilePhone)));
    EXPECT_TRUE(IsEqualGUID(CLSID_KivVolume2, __uuidof(KivVolume2)));
    EXPECT_TRUE(IsEqualGUID(CLSID_PhoneServerSymbian, __uuidof(PhoneServerSymbian)));
}

}  // namespace
