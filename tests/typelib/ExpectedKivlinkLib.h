// The published contract of Kivlink's type library, written down independently of the IDL
// so that a slip in either shows up as a difference.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

namespace typelib_test {

enum class InterfaceKind { Dual, Dispinterface, Custom };

// Memid of a custom interface's function: not part of the contract.
constexpr MEMBERID kAnyMemid = static_cast<MEMBERID>(0x7FFFFFF0);

struct ExpectedFunction {
    const wchar_t* name;
    MEMBERID memid;
    // Parameter names in order; only checked when parametersFixed.
    std::vector<const wchar_t*> parameters;
    bool parametersFixed = true;
};

struct ExpectedInterface {
    const wchar_t* name;
    const wchar_t* iid;
    InterfaceKind kind;
    std::vector<ExpectedFunction> functions;
};

struct ExpectedImplemented {
    const wchar_t* name;
    int flags;  // IMPLTYPEFLAGS
};

struct ExpectedClass {
    const wchar_t* name;
    const wchar_t* clsid;
    std::vector<ExpectedImplemented> interfaces;
    bool complete;  // false: only the leading interfaces are fixed
};

struct ExpectedMember {
    const wchar_t* name;
    LONG value;
};

struct ExpectedEnum {
    const wchar_t* name;
    std::vector<ExpectedMember> members;
};

struct ExpectedDeclaredInterface {
    const wchar_t* name;
    const wchar_t* iid;
    InterfaceKind kind;
};

extern const wchar_t* const kLibraryId;
extern const wchar_t* const kLibraryHelpString;

const std::vector<ExpectedInterface>& ImplementedInterfaces();
const std::vector<ExpectedDeclaredInterface>& DeclaredOnlyInterfaces();
const std::vector<ExpectedClass>& Classes();
// Enumerations whose every member and value is fixed.
const std::vector<ExpectedEnum>& FixedEnumerations();

}  // namespace typelib_test
