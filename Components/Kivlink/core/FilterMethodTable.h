#pragma once
// Which dispatch id an incoming call's method number stands for, as the incoming-call filter
// decides by dispatch id but COM tells it only the slot of the called method.
#include <windows.h>
#include <oaidl.h>

#include <map>

class CFilterMethodTable {
public:
    // Reads IKivVolume, IKivVolume2 and IKivGeneral of the library in this order; a slot
    // already known keeps the id of the interface read first, so that slots all three have
    // stand for IKivVolume's methods.
    HRESULT Load(ITypeLib* library);
    // Reads the type library of this program file.
    HRESULT LoadFromProgramFile();
    // 0 for a slot no interface declares (IUnknown's and IDispatch's among them).
    DISPID Lookup(WORD methodNumber) const;

private:
    HRESULT AddInterface(ITypeLib* library, REFIID iid);

    std::map<WORD, DISPID> m_dispatchIds;
};
