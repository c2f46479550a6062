#pragma once
// Wine 8's RPC runtime can lose a wake-up when the last stub of an interface goes away while
// the server unregisters that interface: the phone library's server then hangs for good in
// the release. The library's short-lived objects (collections and items) are therefore never
// all released: while a binding is open, the first proxy of each of their interfaces stays.
#include <windows.h>
#include <unknwn.h>

// A binding opens and closes the keeper; the proxies go when the last binding has closed.
void OpenProxyKeeper();
void CloseProxyKeeper();
// Keeps `proxy` when it is the first of its interface while the keeper is open.
void KeepFirstProxyOf(IUnknown* proxy, REFIID iid);
