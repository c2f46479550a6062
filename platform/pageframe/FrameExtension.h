// What a program built on the page frame adds to it: its own controls, its own messages and a
// say in closing. The host application's stand-in is one; pageframe.exe has none.
//
// Threads: called on the frame's thread alone, from its dialog procedure.
#pragma once

#include <windows.h>

namespace pageframe {

class IFrameExtension {
public:
    // The dialog exists and has its tabs; its first page is not shown yet.
    virtual void OnFrameCreated(HWND frame) = 0;
    // A message the frame does not handle itself; true when handled, `result` then being the
    // dialog's answer.
    virtual bool OnFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // Asked before OK or Cancel (the window's close included) closes the frame; false keeps it open.
    virtual bool CanCloseFrame() = 0;

protected:
    ~IFrameExtension() = default;
};

}  // namespace pageframe
