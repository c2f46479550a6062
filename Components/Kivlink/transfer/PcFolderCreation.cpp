#include "PcFolderCreation.h"

#include "PcFiles.h"
#include "TransferPaths.h"

#include "core/KivString.h"
#include "trace/TolvTrace.h"

#include <string>
#include "trace/TraceResult.h"

TOLV_TRACE_UNIT("PcFolderCreation");

namespace {

// The folder above path (trailing separators ignored); empty when there is none to create,
// as for a drive root.
std::wstring ParentFolder(const wchar_t* path)
{
    std::wstring text(path ? path : L"");
    while (!text.empty() && (text.back() == L'\\' || text.back() == L'/'))
        text.pop_back();
    size_t cut = text.find_last_of(L"\\/");
    if (cut == std::wstring::npos)
        return std::wstring();
    std::wstring parent = text.substr(0, cut);
    // "C:" stands for the current folder of the drive; its root is meant.
    if (parent.size() == 2 && parent[1] == L':')
        parent += L'\\';
    return parent;
}

}  // namespace

HRESULT CreatePcFolder(const wchar_t* path, CTolvTrace* trace)
{
    const std::string text = CKivString(path).Narrow();
    if (CreateDirectoryW(path, nullptr)) {
        if (trace)
            trace->Format(3, "Created directory %s", text.c_str());
        return S_OK;
    }
    const HRESULT first = tolv::com::HResultFromLastError();
    const std::wstring parent = ParentFolder(path);
    if (parent.empty() || parent == path)
        return first;
    switch (ClassifyPcPath(parent.c_str())) {
    case PC_FILE:
        if (trace)
            trace->Format(1, "::CreateDirectory(%s) failed. Parent is a file", text.c_str());
        return KIV_E_PC_PARENT_IS_FILE;
    case PC_FOLDER:
        return first;
    case PC_MISSING:
        break;
    }
    // Nothing is created below a folder that could not be made.
    HRESULT hr = CreatePcFolder(parent.c_str(), trace);
    TOLV_RETURN_IF_FAILED(hr);
    if (!CreateDirectoryW(path, nullptr))
        return tolv::com::HResultFromLastError();
    if (trace)
        trace->Format(3, "Created directory %s", text.c_str());
    return S_OK;
}
