// Resource identifiers of pageframe.rc, shared with PageFrameProtocol.h (the resource
// compiler reads only the preprocessor's definitions).
#pragma once

#define IDD_PAGE_FRAME 100
#define IDC_PAGE_TABS 1001
#define IDC_APPLY 1002
#define IDC_PAGE_INFO 1003
#define PAGE_FRAME_TITLE "Pellary page frame"
