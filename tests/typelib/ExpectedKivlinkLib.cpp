#include "ExpectedKivlinkLib.h"

namespace typelib_test {
namespace {

constexpr int kDefault = IMPLTYPEFLAG_FDEFAULT;
constexpr int kSource = IMPLTYPEFLAG_FSOURCE;
constexpr LONG Code(unsigned long value) { return static_cast<LONG>(value); }

ExpectedFunction Open(const wchar_t* name, MEMBERID memid)
{
    return ExpectedFunction{name, memid, {}, false};
}

}  // namespace

const wchar_t* const kLibraryId = L"{FC889581-2218-11D7-B948-FFFFFF000000}";
const wchar_t* const kLibraryHelpString = L"Kivlink 1.0 Type Library";

const std::vector<ExpectedInterface>& ImplementedInterfaces()
{
    static const std::vector<ExpectedInterface> interfaces = {
        {L"IKivVolume", L"{D73D7EA7-AD8A-11D3-A271-00105A3B325A}", InterfaceKind::Dual, {
            {L"AddChangeNotification", 1, {L"path", L"sink", L"token"}},
            {L"BroadcastChangeNotification", 2, {L"path"}},
            {L"Copy", 3, {L"existingpath", L"newpath"}},
            {L"CreateDir", 4, {L"path"}},
            {L"CreateStdDirs", 5, {}},
            {L"Delete", 6, {L"path"}},
            {L"Format", 7, {}},
            {L"GetCapacity", 8, {L"total", L"free"}},
            {L"GetEntries", 9, {L"path", L"limittodirectories", L"entries"}},
            {L"GetFile", 10, {L"path", L"content"}},
            {L"GetLabel", 11, {L"label"}},
            {L"HasSubDirs", 13, {L"path", L"subdirs"}},
            {L"Move", 14, {L"existingpath", L"newpath"}},
            {L"MoveDir", 15, {L"existingpath", L"newpath"}},
            {L"PutFile", 16, {L"path", L"content", L"attributes"}},
            {L"RemoveChangeNotification", 17, {L"token"}},
            {L"RemoveDir", 18, {L"path"}},
            {L"SetAttributes", 19, {L"path", L"attributes"}},
            {L"SetLabel", 20, {L"label"}},
            {L"SetTime", 21, {L"path", L"creationtime", L"lastaccesstime", L"lastwritetime"}},
            {L"GetSlotNames", 12, {L"slottype", L"slotnames"}},
            {L"SelectPort", 24, {L"bstrPort"}},
            {L"FormatEx", 37, {L"szDrive"}},
            {L"GetCapacityEx", 38, {L"szDrive", L"total", L"free"}},
            {L"CreateStdDirsEx", 39, {L"szDriver"}},
        }},
        {L"IKivVolume2", L"{C871502C-604F-443A-A33E-828960DA48D1}", InterfaceKind::Dual, {
            {L"ListDevices", 1, {L"devices"}},
            {L"SelectDevice", 2, {L"DeviceName"}},
            {L"ListDrives", 3, {L"drives"}},
            {L"FormatDrive", 4, {L"driveName", L"ExecutionFlags"}},
            {L"BackupDrive", 5, {L"BackupPath", L"DeviceDrive", L"ExecutionFlags"}},
            {L"RestoreDrive", 6, {L"BackupPath", L"DeviceDrive", L"ExecutionFlags"}},
            {L"ListEntries", 7, {L"path", L"bRecursive", L"entries"}},
            {L"GetInfo", 8, {L"entry", L"info"}},
            {L"CopyToPC", 9, {L"source", L"destination", L"ExecutionFlags"}},
            {L"CopyFromPC", 10, {L"source", L"destination", L"ExecutionFlags"}},
            {L"CopyInDevice", 11, {L"source", L"destination", L"ExecutionFlags"}},
            {L"RemoveEntry", 12, {L"entry"}},
            {L"CreateEntry", 13, {L"entry"}},
        }},
        {L"IKivGeneral", L"{BB4BC2E2-025E-443E-88F4-24FE6DE8B74E}", InterfaceKind::Dual, {
            {L"GetMobileModel", 22, {L"pbstrModel"}},
            {L"GetCommPorts", 23, {L"pbstrPorts", L"lflags", L"plPortMask"}},
            {L"IsBluetoothPort", 25, {L"lPortId", L"pbIsBT"}},
            {L"SetConnectionBeep", 26, {L"bBeep"}},
            {L"GetIMEI", 27, {L"pbstrIMEI"}},
            {L"GetCharge", 28, {L"plCharge"}},
            {L"GetSignalQuality", 29, {L"plLevel", L"plBER"}},
            {L"GetMobileManufacturer", 30, {L"pbstrManufacturer"}},
            Open(L"GetMobileInfo", 31),
            {L"SuspendConnection", 32, {}},
            {L"ResumeConnection", 33, {}},
            {L"SetPort", 34, {L"bstrPort"}},
            {L"ResetPort", 35, {L"bstrPort"}},
            {L"GetConnectionState", 36, {L"peConnectionState"}},
        }},
        {L"IPhoneServer", L"{C73F5902-4EE6-4D2B-A438-4FD910B2910B}", InterfaceKind::Dual, {
            {L"ATCGetNameOfFennel", 1, {L"pName"}},
        }},
        {L"IKivAllServerEvents", L"{68247631-A854-495B-8B9B-FE323C1FE670}", InterfaceKind::Dispinterface, {
            {L"KivOperationProgress", 3, {L"action", L"path", L"percentage", L"cancel"}},
            {L"KivOperationCompletion", 4, {L"action", L"path", L"result"}},
            {L"KivOnChange", 5, {L"change", L"info"}},
            {L"KivOnEvent", 6, {L"event", L"description", L"data"}},
        }},
        {L"_IKivPhoneWatchEvents", L"{BFE99EAF-375A-40A3-B92F-A353DB4D8F41}", InterfaceKind::Dispinterface, {
            Open(L"PhoneWatchOnChangeMobileData", 1),
            Open(L"PhoneWatchOnSignalCharge", 2),
            Open(L"PhoneWatchOnConnect", 3),
        }},
        {L"IDcoMSG", L"{24873103-01CE-4C6F-80DF-179739A79783}", InterfaceKind::Dual, {
            Open(L"MSGWrite", 1),
            Open(L"MSGSend", 2),
            Open(L"MSGGetFirst", 3),
            Open(L"MSGGetNext", 4),
            Open(L"MSGDelete", 6),
            Open(L"MSGSetStatus", 7),
            Open(L"MSGGetServiceCenterAddress", 8),
            Open(L"MSGCheckMidiFile", 12),
        }},
        {L"IDcoMMSCommunicator", L"{F3B95565-5643-40FB-9575-56579E1994A4}", InterfaceKind::Dual, {
            Open(L"MMSGetFirst", 1),
            Open(L"MMSGetNext", 2),
            Open(L"MMSDelete", 3),
            Open(L"MMSIndexSend", 4),
            Open(L"MMSFileSend", 5),
            Open(L"MMSWrite", 6),
            Open(L"MMSSetStatus", 7),
        }},
        {L"IKivAB", L"{8FC8C28D-3C23-4DD2-A02D-0C238C2C960B}", InterfaceKind::Dual, {
            Open(L"ABCountEntries", 1),
            Open(L"ABGetFirstEntry", 2),
            Open(L"ABGetNextEntry", 3),
            Open(L"ABPutEntry", 4),
            Open(L"ABDeleteEntry", 5),
        }},
        {L"IKivNotifySink", L"{8DAB6603-AD9C-11D3-A271-00105A3B325A}", InterfaceKind::Custom, {
            {L"OnChange", kAnyMemid, {L"path"}},
        }},
    };
    return interfaces;
}

const std::vector<ExpectedDeclaredInterface>& DeclaredOnlyInterfaces()
{
    static const std::vector<ExpectedDeclaredInterface> interfaces = {
        {L"IKivPhoneNotifySink", L"{0D37C85D-870B-41C4-95AA-C06B6CFA1364}", InterfaceKind::Custom},
        {L"IKivPhoneWatch", L"{5C3EE8E8-8EBC-4B15-9951-33334B603FE6}", InterfaceKind::Dual},
        {L"IDcoMSGProgress", L"{877E0E7A-17DF-470F-B282-6A782E9E1873}", InterfaceKind::Custom},
        {L"IIrmc", L"{01995C2B-2E4C-11D5-999D-0050DA3F471F}", InterfaceKind::Dual},
        {L"IATC", L"{27FBC374-1EF2-49C6-BF7C-16BBECE9A056}", InterfaceKind::Dual},
        {L"IKivPhonebook", L"{20E50116-679A-4164-A09F-44CE9E39CACB}", InterfaceKind::Dual},
        {L"IKivRingingTone", L"{B6C2750A-16FE-40A3-BEF7-21FDA78AD95A}", InterfaceKind::Dual},
        {L"IKivAppointment", L"{3B173664-1972-4716-9C6D-E82492EF70E3}", InterfaceKind::Dual},
        {L"IKivSettings", L"{958DBFFC-14C2-4C5F-97DE-CDFED6D08061}", InterfaceKind::Dual},
        {L"IKivBookmark", L"{7D59CE39-E897-4C95-9CE6-984D47336176}", InterfaceKind::Dual},
        {L"IAddressBook", L"{2FC337BB-DE63-4222-A3B4-1FDE0C7348EE}", InterfaceKind::Dual},
        {L"IKivStream", L"{688C089D-5C5E-48E1-9116-8E0C6ABBC244}", InterfaceKind::Dual},
        {L"_IKivStreamEvents", L"{73180307-684D-4C45-85B7-CA8EDF9532AF}", InterfaceKind::Dispinterface},
    };
    return interfaces;
}

const std::vector<ExpectedClass>& Classes()
{
    static const std::vector<ExpectedClass> classes = {
        {L"KivGeneral", L"{A3AF8BEC-5481-4996-9379-221E8BF39EC3}", {{L"IKivGeneral", kDefault}}, true},
        {L"KivMobilePhone", L"{FC8895A5-2218-11D7-B948-FFFFFF000000}", {{L"IKivVolume", kDefault}}, true},
        {L"KivVolume2", L"{FC8895A7-2218-11D7-B948-FFFFFF000000}",
         {{L"IKivVolume2", kDefault}, {L"IKivAllServerEvents", kDefault | kSource}}, true},
        {L"PhoneServerSymbian", L"{AA679EC7-BBD8-4EC3-AF6B-4963E6F8EDDE}",
         {{L"IPhoneServer", kDefault},
          {L"IKivGeneral", 0},
          {L"IKivVolume", 0},
          {L"IKivVolume2", 0},
          {L"IDcoMSG", 0},
          {L"IDcoMMSCommunicator", 0},
          {L"IKivAB", 0},
          {L"_IKivPhoneWatchEvents", kDefault | kSource},
          {L"IKivAllServerEvents", kSource}},
         true},
        {L"PhoneServerKivServer", L"{8E2E76B9-4C3A-4DA3-86E5-633546CE9E2E}", {{L"IPhoneServer", kDefault}}, false},
        {L"TamloDcoMSG", L"{984EDFE5-80F4-40F5-B8DC-49437883E790}", {{L"IDcoMSG", kDefault}}, true},
        {L"TamloMMSCommunicator", L"{C2A37646-A63B-463A-AE46-FD2B5B41595F}", {{L"IDcoMMSCommunicator", kDefault}}, true},
        {L"TamloKivAB", L"{9A775142-1682-4462-A46A-6B50DE291069}", {{L"IKivAB", kDefault}}, true},
        {L"TamloAddressBook", L"{213E538E-C10F-42FB-9116-592CB9D352CC}", {{L"IAddressBook", kDefault}}, true},
    };
    return classes;
}

const std::vector<ExpectedEnum>& FixedEnumerations()
{
    static const std::vector<ExpectedEnum> enumerations = {
        {L"GetEntriesIndices",
         {{L"geName", 0}, {L"geShortName", 1}, {L"geSize", 2}, {L"geAttributes", 3}, {L"geCreationTime", 4},
          {L"geLastAccessTime", 5}, {L"geLastWriteTime", 6}, {L"geIndex", 7}}},
        {L"GetDeviceEntriesIndices", {{L"Id", 0}, {L"Name", 1}, {L"IrmcSupport", 2}}},
        {L"ExecutionFlags", {{L"eBlocked", 1}, {L"eNoOverwrite", 2}, {L"eMove", 4}, {L"eLeaveIfDifferent", 8}}},
        {L"KivActionId",
         {{L"aidFormat", 0}, {L"aidBackup", 1}, {L"aidRestore", 2}, {L"aidCopyFromPC", 3}, {L"aidCopyToPC", 4},
          {L"aidConversion", 5}}},
        {L"KivChangeId",
         {{L"cidUpdateDir", 0}, {L"cidUpdateItem", 1}, {L"cidRmDir", 2}, {L"cidMkDir", 3}, {L"cidRenameFolder", 4},
          {L"cidCreate", 5}, {L"cidDelete", 6}, {L"cidRenameItem", 7}, {L"cidMediaInserted", 8},
          {L"cidMediaRemoved", 9}}},
        {L"KivEventId", {{L"eventGeneral", 0}, {L"eventReceived", 3}, {L"eventIncomingCall", 4}}},
        {L"KivGeneralConnectionState", {{L"dgcsDisconnected", 0}, {L"dgcsConnected", 1}}},
        {L"PortTypes",
         {{L"PHYSICAL_PORTS", 1}, {L"VIRTUAL_PORTS", 2}, {L"ALL_PORTS", 3}, {L"IRDA_SOCKET", 4}, {L"IRDA_COMMPORT", 8}}},
        {L"SlotTypeConstants", {{L"stBMP", 0}, {L"stMID", 1}}},
        {L"FILE_ATTRIBUTE", {{L"FILE_ATTRIBUTE_VOLUME", 0x40000000}, {L"FILE_ATTRIBUTE_REMOVEABLE", 0x20000000}}},
        {L"PhoneWatchConnectMode", {{L"pwcmManual", 0}, {L"pwcmAutomatic", 1}}},
        {L"KIV_HRESULT_Type",
         {{L"KIV_E_ABORT", Code(0x80040300)},
          {L"KIV_E_RESUMELATER", Code(0x80040301)},
          {L"KIV_E_DISKCHANGED", Code(0x8004C0B2)},
          {L"KIV_E_FILEEXISTSALREADY", Code(0x8004C0C9)},
          {L"KIV_E_FILENOTFOUND", Code(0x8004C0C4)},
          {L"KIV_E_SYSTEMFILE", Code(0x8004C0C5)},
          {L"KIV_E_SCQIRESPONSETIMEOUT", Code(0x8004E001)},
          {L"KIV_E_DRIVENOTFOUND", Code(0x8004E002)},
          {L"KIV_E_FOLDERNOTFOUND", Code(0x8004E003)},
          {L"KIV_E_DEVICENOTFOUND", Code(0x8004E004)},
          {L"KIV_E_REQUEST_PANIC", Code(0x8004E005)},
          {L"KIV_E_INVALIDSCQIPOINTER", Code(0x8004E006)},
          {L"KIV_E_SERVICENOTSUPPORTED", Code(0x80048001)},
          {L"KIV_E_PORTUSED", Code(0x8004A001)},
          {L"KIV_E_INVALIDPORT", Code(0x8004A002)},
          {L"KIV_E_NOVOSTREL", Code(0x8004A004)},
          {L"KIV_E_IRDASOCKETNOTSUPPORTED", Code(0x8004A010)},
          {L"KIV_E_IRDANOTINSTALLED", Code(0x8004A011)},
          {L"KIV_E_WRONGDRIVER", Code(0x8004A012)},
          {L"KIV_E_SOCKETNOTSUPPORTED", Code(0x8004A013)},
          {L"KIV_E_MSNOTSUPPORTED", Code(0x8004A014)},
          {L"KIV_E_CANCELLED", Code(0x8004A0FF)},
          {L"KIV_E_NOCONNECTION", Code(0x8004B001)},
          {L"KIV_E_PROXYNOCONNECTION", Code(0x8004B002)},
          {L"KIV_E_METHODNOTSUPPORTED", Code(0x8004B003)},
          {L"KIV_E_BADCONNECTION", Code(0x8004B004)},
          {L"KIV_E_SOCKETTIMEOUT", Code(0x8004B015)},
          {L"KIV_E_TIMEOUT", Code(0x8004B016)},
          {L"KIV_E_FATAL", Code(0x8004FFFF)}}},
        {L"ErrorCodes",
         {{L"ecAbort", Code(0x80040300)},
          {L"ecResumeLater", Code(0x80040301)},
          {L"ecServiceNotSupported", Code(0x80048001)},
          {L"ecPortUsed", Code(0x8004A001)},
          {L"ecInvalidPort", Code(0x8004A002)},
          {L"ecNoVostrel", Code(0x8004A004)},
          {L"ecBadConnection", Code(0x8004B004)},
          {L"ecNoConnection", Code(0x8004B001)},
          {L"ecDiskChanged", Code(0x8004C0B2)},
          {L"ecFileNotFound", Code(0x8004C0C4)},
          {L"ecSystemFile", Code(0x8004C0C5)},
          {L"ecFileExistsAlready", Code(0x8004C0C9)},
          {L"ecFatalError", Code(0x8004FFFF)},
          {L"ecSocketNotSupported", Code(0x8004A013)},
          {L"ecIrdaSocketNotSupported", Code(0x8004A010)},
          {L"ecIRDANotInstalled", Code(0x8004A011)},
          {L"ecWrongDriver", Code(0x8004A012)},
          {L"ecSCQIResponseTimeout", Code(0x8004E001)},
          {L"ecDriveNotFound", Code(0x8004E002)},
          {L"ecFolderNotFound", Code(0x8004E003)},
          {L"ecDeviceNotFound", Code(0x8004E004)},
          {L"ecRequestPanic", Code(0x8004E005)},
          {L"ecInvalidSCQIPointer", Code(0x8004E006)}}},
        // Declared-only enumerations that are fixed member by member.
        {L"SMType",
         {{L"SM_REC_UNREAD", 3}, {L"SM_REC_READ", 1}, {L"SM_STO_UNSENT", 7}, {L"SM_STO_SENT", 5}, {L"SM_ALL", 100}}},
        {L"StorageType",
         {{L"TYPE_RINGINGTONE", 0}, {L"TYPE_RINGINGVOLUME", 1}, {L"TYPE_RINGINGEVENT", 2}, {L"TYPE_OUTDOORDATA", 3},
          {L"TYPE_APPOINTMENT", 4}, {L"TYPE_SMS", 5}, {L"TYPE_PHONEBOOK", 256}}},
        {L"SMStorage",
         {{L"SM_SM", 0x10000}, {L"SM_ME", 0x20000}, {L"SM_FFS", 0x40000}, {L"SM_SEND", 0x80000},
          {L"SM_STO_ALL", 0x100000}}},
        {L"GetOperators", {{L"geOPStatus", 0}, {L"geOPOp", 1}, {L"geOPOpNum", 2}}},
        {L"SoundModes", {{L"NORMAL_MODE", 1}, {L"SILENT_MODE", 2}, {L"BEEP_MODE", 4}}},
        {L"VibrationsModes", {{L"ENABLE_VIBRATION", 16}, {L"DISABLE_VIBRATION", 32}, {L"RING_VIBRATION", 64}}},
        {L"BitmapType", {{L"BM_PROVIDER_LOGO", 0}, {L"BM_SCREEN_SAVER", 1}}},
        {L"eUpdateNotify", {{L"eUN_ProviderLogo", 1}, {L"eUN_Screensaver", 2}}},
        {L"eCommand", {{L"eDelete", 0}, {L"eSet", 1}, {L"eGet", 2}}},
        {L"enuCharacterSettings", {{L"Latin", 0}, {L"Cyrillic", 1}, {L"Greek", 2}}},
    };
    return enumerations;
}

}  // namespace typelib_test
