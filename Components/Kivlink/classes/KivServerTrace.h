#pragma once
// The module trace of the running server, for code that is not on a worker thread.
class CTolvTrace;

CTolvTrace* KivServerTrace();
