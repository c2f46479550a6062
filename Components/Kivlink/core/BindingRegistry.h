#pragma once
// Where a binding to the phone library signs up to hear of connects and disconnects: the
// notification thread, which the bindings' layer does not otherwise know.
class CSymbianConnectRT;

class IKivBindingRegistry {
public:
    virtual void RegisterBinding(CSymbianConnectRT* binding) = 0;
    // Once this returns, the registry no longer uses the binding.
    virtual void UnregisterBinding(CSymbianConnectRT* binding) = 0;

protected:
    ~IKivBindingRegistry() = default;
};
