#include "RequestTable.h"

#include "Components/Kivlink/files/FileOperations.h"
#include "Components/Kivlink/transfer/CopyRoutes.h"

#include <iterator>

namespace {

constexpr unsigned kMain = RoleBit(KivWorkerRole::Main);
constexpr unsigned kFile = RoleBit(KivWorkerRole::File);
constexpr unsigned kStatus = RoleBit(KivWorkerRole::PhoneStatus);
constexpr unsigned kListing = RoleBit(KivWorkerRole::Listing);
constexpr unsigned kChanges = RoleBit(KivWorkerRole::ChangeNotification);
constexpr unsigned kEvents = RoleBit(KivWorkerRole::Notifications);
constexpr bool kCritical = true;
constexpr bool kLong = true;

#define KIV_REQUEST(type) type, #type

// In type order, so that a lookup is an index.
constexpr SKivRequestKind kRequests[] = {
    {KIV_REQUEST(REQ_COPY), kFile, false, false, "Copy", RunInDeviceCopy},
    {KIV_REQUEST(REQ_CREATE_DIR), kFile, false, false, "CreateDir", RunCreateEntry},
    {KIV_REQUEST(REQ_DELETE), kFile, false, false, nullptr, RunDeleteFile},
    {KIV_REQUEST(REQ_FORMAT), kFile, kCritical, kLong, "FormatDrive", RunFormatDrive},
    {KIV_REQUEST(REQ_GET_FILE), kFile, kCritical, false, nullptr, RunGetFile},
    {KIV_REQUEST(REQ_GET_ENTRIES), kListing, false, false, nullptr, RunGetEntries},
    {KIV_REQUEST(REQ_HAS_SUBDIRS), kFile, false, false, nullptr, RunHasSubFolders},
    {KIV_REQUEST(REQ_GET_LABEL), kFile, false, false, nullptr, RunGetLabel},
    {KIV_REQUEST(REQ_MOVE), kFile, false, false, "Move", RunMoveEntry},
    {KIV_REQUEST(REQ_MOVE_DIR), kFile, false, false, nullptr, RunMoveFolder},
    {KIV_REQUEST(REQ_PUT_FILE), kFile, kCritical, false, nullptr, RunPutFile},
    {KIV_REQUEST(REQ_REMOVE_DIR), kFile, false, false, nullptr, RunRemoveFolder},
    {KIV_REQUEST(REQ_SET_ATTRIBUTES), kFile, false, false, nullptr, RunSetAttributes},
    {KIV_REQUEST(REQ_SET_LABEL), kFile, false, false, nullptr, RunSetLabel},
    {KIV_REQUEST(REQ_SET_TIME), kFile, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_COPY_TO_PC), kFile, kCritical, kLong, "CopyToPC", RunCopyToPC},
    {KIV_REQUEST(REQ_COPY_FROM_PC), kFile, kCritical, kLong, "CopyFromPC", RunCopyFromPC},
    {KIV_REQUEST(REQ_BACKUP_DRIVE), kFile, kCritical, kLong, "BackupDrive", RunBackupDrive},
    {KIV_REQUEST(REQ_RESTORE_DRIVE), kFile, false, kLong, "RestoreDrive", RunRestoreDrive},
    {KIV_REQUEST(REQ_ADD_CHANGE_NOTIFICATION), kChanges, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_BROADCAST_CHANGE_NOTIFICATION), kChanges, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_REMOVE_CHANGE_NOTIFICATION), kChanges, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_LIST_DEVICES), kFile, false, false, "ListDevices", RunListDevices},
    {KIV_REQUEST(REQ_SELECT_PORT), kFile, false, false, nullptr, RunSelectPort},
    {KIV_REQUEST(REQ_SELECT_DEVICE), kFile, false, false, "SelectDevice", RunSelectDevice},
    {KIV_REQUEST(REQ_LIST_ENTRIES), kFile, false, false, "ListEntries", RunListEntries},
    {KIV_REQUEST(REQ_GET_INFO), kFile, false, false, "GetInfo", RunGetInfo},
    {KIV_REQUEST(REQ_LIST_DRIVES), kFile, false, false, "ListDrives", RunListDrives},
    {KIV_REQUEST(REQ_GET_MOBILE_MODEL), kFile, false, false, nullptr, RunGetMobileModel},
    {KIV_REQUEST(REQ_ON_CONNECT), kMain, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_ON_DISCONNECT), kMain, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_REMOVE_ENTRY), kFile, false, false, "RemoveEntry", RunRemoveEntry},
    {KIV_REQUEST(REQ_GET_IMEI), kFile, false, false, nullptr, RunGetImei},
    {KIV_REQUEST(REQ_GET_MANUFACTURER), kFile, false, false, nullptr, RunGetMobileManufacturer},
    {KIV_REQUEST(REQ_SET_PORT), kStatus, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_GET_VOLUME_INFO), kFile, false, false, nullptr, RunGetVolumeSpace},
    {KIV_REQUEST(REQ_GET_BATTERY_SIGNAL), kStatus, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_SUSPEND_CONNECTION), kStatus, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_RESUME_CONNECTION), kStatus, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_CREATE_STD_DIRS), kFile, false, false, nullptr, RunCreateStandardFolders},
    {KIV_REQUEST(REQ_ON_PROGRESS), kMain, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_ON_COMPLETION), kMain, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_INVALIDATE_PARENT), kFile | kListing, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_RESET_PORT), kStatus, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_NOTIFY_CHANGE), kChanges, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_BACKUP_POST_STEP), kFile, false, false, nullptr, RunBackupPostSteps},
    {KIV_REQUEST(REQ_COPY_FROM_PC_POST_STEP), kFile, false, false, nullptr, RunCopyFromPCPostSteps},
    {KIV_REQUEST(REQ_COPY_TO_PC_POST_STEP), kFile, false, false, nullptr, RunCopyToPCPostSteps},
    {KIV_REQUEST(REQ_FORMAT_POST_STEP), kFile, false, false, nullptr, RunFormatPostSteps},
    {KIV_REQUEST(REQ_RESTORE_POST_STEP), kFile, false, false, nullptr, RunRestorePostSteps},
    {KIV_REQUEST(REQ_EV_DEVICE_CONNECTED), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_DEVICE_DISCONNECTED), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_BACKUP_PROGRESS), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_BACKUP_ERROR), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_BACKUP_COMPLETE), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_RESTORE_PROGRESS), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_RESTORE_EXISTING_FILE), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_RESTORE_ERROR), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_RESTORE_COMPLETE), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_FORMAT_PROGRESS), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_FORMAT_ERROR), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_FORMAT_COMPLETE), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_COPY_PROGRESS), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_COPY_ERROR), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_COPY_EXISTING_FILE), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_EV_COPY_COMPLETE), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_CANCEL_OPERATION), kEvents, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_INVALIDATE_ALL), kFile | kListing, false, false, nullptr, nullptr},
    {KIV_REQUEST(REQ_CHECK_CONNECTION), kFile, false, false, nullptr, nullptr},
};

#undef KIV_REQUEST

constexpr bool IsInTypeOrder()
{
    for (size_t i = 0; i < std::size(kRequests); ++i) {
        if (kRequests[i].type != static_cast<long>(i + 1))
            return false;
    }
    return true;
}
static_assert(IsInTypeOrder(), "the request table is indexed by type");

constexpr SKivRequestKind kAbnormalShutdown = {
    REQ_ABNORMAL_SHUTDOWN, "REQ_ABNORMAL_SHUTDOWN", kMain, false, false, nullptr, nullptr};

}  // namespace

const SKivRequestKind* FindRequestKind(long type)
{
    if (type == REQ_ABNORMAL_SHUTDOWN)
        return &kAbnormalShutdown;
    if (type < 1 || type > static_cast<long>(std::size(kRequests)))
        return nullptr;
    return &kRequests[type - 1];
}

bool IsServedBy(long type, KivWorkerRole role)
{
    const SKivRequestKind* kind = FindRequestKind(type);
    return kind && (kind->servedBy & RoleBit(role)) != 0;
}

bool IsCriticalTask(long type)
{
    const SKivRequestKind* kind = FindRequestKind(type);
    return kind && kind->critical;
}

bool IsLongOperation(long type)
{
    const SKivRequestKind* kind = FindRequestKind(type);
    return kind && kind->longOperation;
}
