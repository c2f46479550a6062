// Reads what a test needs out of a type library: library attributes, classes with their
// interfaces, functions with slot and dispatch identifier, and enumeration members.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace typelib_test {

using Microsoft::WRL::ComPtr;

struct LibraryInfo {
    GUID libid{};
    LCID lcid = 0;
    SYSKIND syskind = SYS_WIN32;
    WORD majorVersion = 0;
    WORD minorVersion = 0;
    std::wstring name;
    std::wstring helpString;
};

// The shape of a parameter or result type: the base type after all pointer levels.
struct TypeShape {
    VARTYPE vt = VT_EMPTY;
    int pointerDepth = 0;
    TYPEKIND userKind = TKIND_MAX;  // for VT_USERDEFINED
    WORD userFlags = 0;  // TYPEFLAGS of a VT_USERDEFINED type
    std::wstring userName;
};

struct FunctionInfo {
    std::wstring name;
    MEMBERID memid = 0;
    SHORT vtableOffset = 0;
    FUNCKIND funcKind = FUNC_VIRTUAL;
    INVOKEKIND invokeKind = INVOKE_FUNC;
    std::vector<std::wstring> parameterNames;
    std::vector<TypeShape> parameterTypes;
    TypeShape resultType;
};

struct TypeInfoSummary {
    GUID guid{};
    TYPEKIND kind = TKIND_MAX;
    WORD flags = 0;
    std::wstring name;
    WORD functionCount = 0;
    WORD variableCount = 0;
    WORD implementedCount = 0;
};

struct ImplementedType {
    GUID guid{};
    std::wstring name;
    TYPEKIND kind = TKIND_MAX;
    int flags = 0;  // IMPLTYPEFLAGS
};

struct EnumMember {
    std::wstring name;
    VARTYPE vt = VT_EMPTY;  // how the library stores the constant
    LONG value = 0;
};

LibraryInfo ReadLibrary(ITypeLib* library);
TypeInfoSummary Summarize(ITypeInfo* info);
// The interface half of a dual interface (its vtable), or the type itself otherwise.
ComPtr<ITypeInfo> VtableTypeInfo(ITypeInfo* info);
std::vector<FunctionInfo> ReadFunctions(ITypeInfo* info);
FunctionInfo ReadFunctionAt(ITypeInfo* info, UINT index);
std::vector<ImplementedType> ReadImplementedTypes(ITypeInfo* coclass);
std::vector<EnumMember> ReadEnumMembers(ITypeInfo* enumeration);
// Every type of the library by name, in library order.
std::vector<std::pair<std::wstring, ComPtr<ITypeInfo>>> ReadAllTypes(ITypeLib* library);
ComPtr<ITypeInfo> FindType(ITypeLib* library, const std::wstring& name);

std::wstring GuidText(const GUID& guid);
std::string Narrow(const std::wstring& text);

}  // namespace typelib_test
