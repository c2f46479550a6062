#include "FilterMethodTable.h"

#include "KivlinkLib.h"
#include "com/ComPtr.h"
#include "trace/TraceResult.h"

#include <oleauto.h>

TOLV_TRACE_UNIT("CFilterMethodTable");

using tolv::com::com_ptr;

namespace {

// The vtable side of an interface: its functions carry their slots. A dual interface's dispatch
// side lists them in an order that the type library's writer chooses.
HRESULT VtableSide(ITypeLib* library, REFIID iid, com_ptr<ITypeInfo>& vtable)
{
    com_ptr<ITypeInfo> info;
    TOLV_RETURN_IF_FAILED(library->GetTypeInfoOfGuid(iid, info.put()));
    TYPEKIND kind = TKIND_MAX;
    {
        TYPEATTR* attributes = nullptr;
        TOLV_RETURN_IF_FAILED(info->GetTypeAttr(&attributes));
        kind = attributes->typekind;
        info->ReleaseTypeAttr(attributes);
    }
    if (kind != TKIND_DISPATCH) {
        vtable = std::move(info);
        return S_OK;
    }
    HREFTYPE vtableReference = 0;
    TOLV_RETURN_IF_FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableReference));
    return info->GetRefTypeInfo(vtableReference, vtable.put());
}

}  // namespace

HRESULT CFilterMethodTable::Load(ITypeLib* library)
{
    TOLV_RETURN_HR_IF(E_POINTER, !library);
    for (const IID* iid : {&IID_IKivVolume, &IID_IKivVolume2, &IID_IKivGeneral})
        TOLV_RETURN_IF_FAILED(AddInterface(library, *iid));
    return S_OK;
}

HRESULT CFilterMethodTable::LoadFromProgramFile()
{
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    TOLV_RETURN_LAST_ERROR_IF(length == 0 || length == MAX_PATH);
    com_ptr<ITypeLib> library;
    TOLV_RETURN_IF_FAILED(LoadTypeLibEx(program, REGKIND_NONE, library.put()));
    return Load(library.get());
}

DISPID CFilterMethodTable::Lookup(WORD methodNumber) const
{
    const auto found = m_dispatchIds.find(methodNumber);
    return found == m_dispatchIds.end() ? 0 : found->second;
}

HRESULT CFilterMethodTable::AddInterface(ITypeLib* library, REFIID iid)
{
    com_ptr<ITypeInfo> vtable;
    TOLV_RETURN_IF_FAILED(VtableSide(library, iid, vtable));
    TYPEATTR* attributes = nullptr;
    TOLV_RETURN_IF_FAILED(vtable->GetTypeAttr(&attributes));
    const WORD functions = attributes->cFuncs;
    vtable->ReleaseTypeAttr(attributes);
    for (UINT index = 0; index < functions; ++index) {
        FUNCDESC* function = nullptr;
        TOLV_RETURN_IF_FAILED(vtable->GetFuncDesc(index, &function));
        const WORD slot = static_cast<WORD>(function->oVft / static_cast<SHORT>(sizeof(void*)));
        m_dispatchIds.emplace(slot, function->memid);
        vtable->ReleaseFuncDesc(function);
    }
    return S_OK;
}
