#include "TypeLibReader.h"

#include <cstdio>
#include <stdexcept>

namespace typelib_test {
namespace {

void Check(HRESULT hr, const char* what)
{
    if (FAILED(hr)) {
        char text[160];
        std::snprintf(text, sizeof text, "%s failed: 0x%08lX", what, static_cast<unsigned long>(hr));
        throw std::runtime_error(text);
    }
}

// Holders for the descriptions a type info lends out and wants back.
class TypeAttr {
public:
    explicit TypeAttr(ITypeInfo* info) : m_info(info) { Check(info->GetTypeAttr(&m_attr), "GetTypeAttr"); }
    ~TypeAttr() { m_info->ReleaseTypeAttr(m_attr); }
    TypeAttr(const TypeAttr&) = delete;
    TypeAttr& operator=(const TypeAttr&) = delete;
    const TYPEATTR* operator->() const { return m_attr; }

private:
    ITypeInfo* m_info;
    TYPEATTR* m_attr = nullptr;
};

class FuncDesc {
public:
    FuncDesc(ITypeInfo* info, UINT index) : m_info(info) { Check(info->GetFuncDesc(index, &m_desc), "GetFuncDesc"); }
    ~FuncDesc() { m_info->ReleaseFuncDesc(m_desc); }
    FuncDesc(const FuncDesc&) = delete;
    FuncDesc& operator=(const FuncDesc&) = delete;
    const FUNCDESC* operator->() const { return m_desc; }

private:
    ITypeInfo* m_info;
    FUNCDESC* m_desc = nullptr;
};

class VarDesc {
public:
    VarDesc(ITypeInfo* info, UINT index) : m_info(info) { Check(info->GetVarDesc(index, &m_desc), "GetVarDesc"); }
    ~VarDesc() { m_info->ReleaseVarDesc(m_desc); }
    VarDesc(const VarDesc&) = delete;
    VarDesc& operator=(const VarDesc&) = delete;
    const VARDESC* operator->() const { return m_desc; }

private:
    ITypeInfo* m_info;
    VARDESC* m_desc = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    ~Bstr() { SysFreeString(m_text); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR* put() { return &m_text; }
    std::wstring str() const { return m_text ? std::wstring(m_text, SysStringLen(m_text)) : std::wstring(); }

private:
    BSTR m_text = nullptr;
};

std::wstring MemberName(ITypeInfo* info, MEMBERID memid)
{
    Bstr name;
    Check(info->GetDocumentation(memid, name.put(), nullptr, nullptr, nullptr), "GetDocumentation");
    return name.str();
}

TypeShape ShapeOf(ITypeInfo* owner, const TYPEDESC& type)
{
    TypeShape shape;
    const TYPEDESC* current = &type;
    while (current->vt == VT_PTR) {
        ++shape.pointerDepth;
        current = current->lptdesc;
    }
    shape.vt = current->vt;
    if (current->vt == VT_USERDEFINED) {
        ComPtr<ITypeInfo> referenced;
        Check(owner->GetRefTypeInfo(current->hreftype, &referenced), "GetRefTypeInfo");
        TypeAttr attr(referenced.Get());
        shape.userKind = attr->typekind;
        shape.userFlags = attr->wTypeFlags;
        shape.userName = MemberName(referenced.Get(), MEMBERID_NIL);
    }
    return shape;
}

}  // namespace

LibraryInfo ReadLibrary(ITypeLib* library)
{
    LibraryInfo info;
    TLIBATTR* attr = nullptr;
    Check(library->GetLibAttr(&attr), "GetLibAttr");
    info.libid = attr->guid;
    info.lcid = attr->lcid;
    info.syskind = attr->syskind;
    info.majorVersion = attr->wMajorVerNum;
    info.minorVersion = attr->wMinorVerNum;
    library->ReleaseTLibAttr(attr);
    Bstr name;
    Bstr help;
    Check(library->GetDocumentation(-1, name.put(), help.put(), nullptr, nullptr), "GetDocumentation");
    info.name = name.str();
    info.helpString = help.str();
    return info;
}

TypeInfoSummary Summarize(ITypeInfo* info)
{
    TypeAttr attr(info);
    TypeInfoSummary summary;
    summary.guid = attr->guid;
    summary.kind = attr->typekind;
    summary.flags = attr->wTypeFlags;
    summary.functionCount = attr->cFuncs;
    summary.variableCount = attr->cVars;
    summary.implementedCount = attr->cImplTypes;
    summary.name = MemberName(info, MEMBERID_NIL);
    return summary;
}

ComPtr<ITypeInfo> VtableTypeInfo(ITypeInfo* info)
{
    ComPtr<ITypeInfo> result(info);
    const TypeInfoSummary summary = Summarize(info);
    if (summary.kind == TKIND_DISPATCH && (summary.flags & TYPEFLAG_FDUAL) != 0) {
        HREFTYPE href = 0;
        Check(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &href), "GetRefTypeOfImplType(-1)");
        result.Reset();
        Check(info->GetRefTypeInfo(href, &result), "GetRefTypeInfo");
    }
    return result;
}

FunctionInfo ReadFunctionAt(ITypeInfo* info, UINT index)
{
    FuncDesc desc(info, index);
    FunctionInfo function;
    function.memid = desc->memid;
    function.vtableOffset = desc->oVft;
    function.funcKind = desc->funckind;
    function.invokeKind = desc->invkind;
    function.resultType = ShapeOf(info, desc->elemdescFunc.tdesc);

    std::vector<BSTR> names(static_cast<size_t>(desc->cParams) + 1, nullptr);
    UINT found = 0;
    Check(info->GetNames(desc->memid, names.data(), static_cast<UINT>(names.size()), &found), "GetNames");
    for (UINT i = 0; i < found; ++i) {
        std::wstring text(names[i], SysStringLen(names[i]));
        SysFreeString(names[i]);
        if (i == 0) {
            function.name = text;
        } else {
            function.parameterNames.push_back(text);
        }
    }
    for (SHORT i = 0; i < desc->cParams; ++i) {
        function.parameterTypes.push_back(ShapeOf(info, desc->lprgelemdescParam[i].tdesc));
    }
    return function;
}

std::vector<FunctionInfo> ReadFunctions(ITypeInfo* info)
{
    const WORD count = Summarize(info).functionCount;
    std::vector<FunctionInfo> functions;
    for (UINT i = 0; i < count; ++i) {
        functions.push_back(ReadFunctionAt(info, i));
    }
    return functions;
}

std::vector<ImplementedType> ReadImplementedTypes(ITypeInfo* coclass)
{
    const WORD count = Summarize(coclass).implementedCount;
    std::vector<ImplementedType> types;
    for (UINT i = 0; i < count; ++i) {
        HREFTYPE href = 0;
        Check(coclass->GetRefTypeOfImplType(i, &href), "GetRefTypeOfImplType");
        ComPtr<ITypeInfo> implemented;
        Check(coclass->GetRefTypeInfo(href, &implemented), "GetRefTypeInfo");
        ImplementedType type;
        Check(coclass->GetImplTypeFlags(i, &type.flags), "GetImplTypeFlags");
        const TypeInfoSummary summary = Summarize(implemented.Get());
        type.guid = summary.guid;
        type.name = summary.name;
        type.kind = summary.kind;
        types.push_back(type);
    }
    return types;
}

std::vector<EnumMember> ReadEnumMembers(ITypeInfo* enumeration)
{
    const WORD count = Summarize(enumeration).variableCount;
    std::vector<EnumMember> members;
    for (UINT i = 0; i < count; ++i) {
        VarDesc desc(enumeration, i);
        if (desc->varkind != VAR_CONST || desc->lpvarValue == nullptr) {
            throw std::runtime_error("enumeration member without a constant value");
        }
        const VARIANT& value = *desc->lpvarValue;
        EnumMember member{MemberName(enumeration, desc->memid), value.vt, 0};
        if (value.vt == VT_I4) {
            member.value = value.lVal;
        } else if (value.vt == VT_INT) {
            member.value = value.intVal;
        }
        members.push_back(member);
    }
    return members;
}

std::vector<std::pair<std::wstring, ComPtr<ITypeInfo>>> ReadAllTypes(ITypeLib* library)
{
    std::vector<std::pair<std::wstring, ComPtr<ITypeInfo>>> types;
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        Check(library->GetTypeInfo(i, &info), "GetTypeInfo");
        types.emplace_back(MemberName(info.Get(), MEMBERID_NIL), info);
    }
    return types;
}

ComPtr<ITypeInfo> FindType(ITypeLib* library, const std::wstring& name)
{
    for (auto& [typeName, info] : ReadAllTypes(library)) {
        if (typeName == name) {
            return info;
        }
    }
    return nullptr;
}

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

}  // namespace typelib_test
