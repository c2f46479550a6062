// The file worker's operations that only the one-volume interface asks for: single files and
// folders by kind, the phone memory's label and space, the standard folders and the port check.
#include "FileOperations.h"
#include "FolderCreation.h"

#include "errors/KivResults.h"
#include "model/FileDescription.h"
#include "model/SymbianDevice.h"
#include "model/SymbianDeviceDirectory.h"
#include "model/SymbianDeviceDrive.h"
#include "model/SymbianDeviceFile.h"

#include "trace/TolvTrace.h"
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("VolumeOperations");

namespace {

// In the order they are created: a missing card only costs its own folders.
constexpr const wchar_t* kStandardFolders[] = {
    L"C:\\MP3\\",    L"E:\\MP3\\",    L"C:\\Images\\", L"E:\\Images\\",
    L"E:\\Others\\", L"E:\\Sounds\\", L"E:\\System\\", L"E:\\Videos\\",
};

HRESULT FindOfKind(CKivFileContext& context, const CKivString& path, KivEntryKind kind, CFileDescription& entry)
{
    if (FAILED(context.device->GetEntry(path.c_str(), entry)) || entry.Kind() != kind)
        return E_INVALIDARG;
    return S_OK;
}

HRESULT FindDrive(CKivFileContext& context, const CKivString& path, CFileDescription& drive)
{
    if (FAILED(context.device->GetDrive(path.c_str(), drive)) || drive.Kind() != KIND_DRIVE) {
        context.trace->Format(3, "E_STATE: %s is not a drive", path.Narrow().c_str());
        return E_INVALIDARG;
    }
    return S_OK;
}

}  // namespace

HRESULT RunDeleteFile(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription file;
    if (FAILED(FindOfKind(context, record.m_firstStringArg, KIND_FILE, file))) {
        context.trace->Format(3, "E_STATE:  file %s does not exist", record.m_firstStringArg.Narrow().c_str());
        return E_INVALIDARG;
    }
    if (file.HasReadOnlyBit())
        return KIV_E_READ_ONLY_FILE;
    return file.File()->Delete();
}

HRESULT RunRemoveFolder(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription folder;
    if (FAILED(FindOfKind(context, record.m_firstStringArg, KIND_FOLDER, folder))) {
        context.trace->Format(3, "%s is not a directory or does not exist", record.m_firstStringArg.Narrow().c_str());
        return E_INVALIDARG;
    }
    return folder.Directory()->Remove();
}

HRESULT RunMoveFolder(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription folder;
    if (FAILED(FindOfKind(context, record.m_firstStringArg, KIND_FOLDER, folder))) {
        context.trace->Format(3, "E_STATE: %s is not a directory", record.m_firstStringArg.Narrow().c_str());
        return E_INVALIDARG;
    }
    // The letter-case refusal and the move itself are those of a file's move.
    return RunMoveEntry(context, record);
}

HRESULT RunSetAttributes(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription file;
    if (FAILED(FindOfKind(context, record.m_firstStringArg, KIND_FILE, file))) {
        context.trace->Format(3, "E_STATE: %s is not a file", record.m_firstStringArg.Narrow().c_str());
        return E_INVALIDARG;
    }
    return file.File()->WriteAttributes(record.m_firstIntegerArg);
}

HRESULT RunHasSubFolders(CKivFileContext& context, const CRequestData& record)
{
    auto* subFolders = static_cast<VARIANT_BOOL*>(record.m_OutArg[OUT_BOOL]);
    CFileDescription folder;
    if (FAILED(FindOfKind(context, record.m_firstStringArg, KIND_FOLDER, folder))) {
        context.trace->Format(3, "E_STATE: %s is not a directory or does not exist",
                              record.m_firstStringArg.Narrow().c_str());
        return E_INVALIDARG;
    }
    HRESULT hr = folder.Directory()->RereadSubFolders();
    TOLV_RETURN_IF_FAILED(hr);
    // 1, not VARIANT_TRUE: the shell's callers test for exactly that value.
    const VARIANT_BOOL exist = folder.Directory()->SubFolderDescriptions().empty() ? 0 : 1;
    context.trace->Format(3, "subDirsExist = %d", static_cast<int>(exist));
    if (subFolders)
        *subFolders = exist;
    return S_OK;
}

HRESULT RunGetLabel(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription drive;
    HRESULT hr = FindDrive(context, record.m_firstStringArg, drive);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    CKivString label;
    hr = drive.Drive()->GetLabel(label);
    TOLV_RETURN_IF_FAILED(hr);
    return AnswerText(record, label);
}

HRESULT RunSetLabel(CKivFileContext& context, const CRequestData& record)
{
    CFileDescription drive;
    HRESULT hr = FindDrive(context, record.m_firstStringArg, drive);
    TOLV_RETURN_IF_FAILED_EXPECTED(hr);
    return drive.Drive()->SetLabel(record.m_secondStringArg.c_str());
}

HRESULT RunGetVolumeSpace(CKivFileContext& context, const CRequestData& record)
{
    context.trace->Format(3, "GetVolumeInfo(%s)", record.m_firstStringArg.Narrow().c_str());
    CFileDescription drive;
    HRESULT hr = FindDrive(context, record.m_firstStringArg, drive);
    long total = 0;
    long free = 0;
    if (SUCCEEDED(hr))
        hr = drive.Drive()->GetCapacity(total);
    if (SUCCEEDED(hr))
        hr = drive.Drive()->GetFreeBytes(free);
    if (SUCCEEDED(hr)) {
        if (auto* totalOut = static_cast<long*>(record.m_OutArg[OUT_FIRST_LONG]))
            *totalOut = total;
        if (auto* freeOut = static_cast<long*>(record.m_OutArg[OUT_SECOND_LONG]))
            *freeOut = free;
    }
    context.trace->Format(3, "<<<IKivGeneral::GetVolumeInfo - hr=0x%08X", static_cast<unsigned>(hr));
    return hr;
}

HRESULT RunCreateStandardFolders(CKivFileContext& context, const CRequestData&)
{
    context.trace->Format(3, ">>>IKivVolume::OnCreateStdDirs.");
    for (const wchar_t* folder : kStandardFolders) {
        // One folder that cannot be made (no card) must not keep the others from being made.
        CreatePhoneFolder(*context.device, folder, context.trace, nullptr);
    }
    context.trace->Format(3, "<<<IKivVolume::OnCreateStdDirs - hr=0x%08X", 0u);
    return S_OK;
}

HRESULT RunSelectPort(CKivFileContext& context, const CRequestData& record)
{
    const CKivString& port = record.m_firstStringArg;
    CKivString identifier;
    HRESULT hr = context.device->GetIdentifier(identifier);
    TOLV_RETURN_IF_FAILED(hr);
    // Nothing is switched: the port only names the phone that is already connected.
    return port == identifier ? S_OK : E_NOINTERFACE;
}
