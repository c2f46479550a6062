#pragma once
// How the file worker and the listing worker bind to the phone library on their own thread
// (multithreaded apartment) and let it go again: a binding with its model, and the event sink
// advised on the binding's application object with the notification thread as receiver.
#include "SCEventImp.h"
#include "SymbianConnectRT.h"

#include <memory>

class CTolvTrace;
class IKivServerServices;

// The binding's COM error, or the result of advising the sink.
HRESULT BindToPhoneLibrary(int bindingId, IKivServerServices& services, CTolvTrace* trace,
                           std::unique_ptr<CSymbianConnectRT>& binding, tolv::com::com_ptr<CSCEventImp>& events);
// Disconnects the sink and releases the binding; both are empty afterwards.
void ReleasePhoneLibraryBinding(std::unique_ptr<CSymbianConnectRT>& binding, tolv::com::com_ptr<CSCEventImp>& events);
