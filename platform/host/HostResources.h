// Resource identifiers of host.rc, shared with HostProtocol.h (the resource compiler reads only
// the preprocessor's definitions). The window's tabs, page line and Apply button keep the page
// frame's identifiers, since the frame's code drives them.
#pragma once

#include "platform/pageframe/PageFrameResources.h"

#define IDD_HOST_WINDOW 110
#define HOST_WINDOW_TITLE "Pellary host"
// The plug-ins' tool buttons take consecutive identifiers from here, in the plug-ins' order.
#define IDC_FIRST_PLUGIN_BUTTON 1100
// Where the row of tool buttons sits, in dialog units.
#define HOST_BUTTON_ROW_TOP 7
#define HOST_BUTTON_ROW_LEFT 7
#define HOST_BUTTON_WIDTH 70
#define HOST_BUTTON_HEIGHT 14
#define HOST_BUTTON_GAP 4
