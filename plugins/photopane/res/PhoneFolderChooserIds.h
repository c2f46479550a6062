// The phone-folder chooser's dialog and its tree, for the resource compiler and for C++. The
// plug-in's own dialogs (the page 110, the progress 201, the small window 205) keep their
// numbers; the chooser takes one none of them uses.
#pragma once

#define PHOTOPANE_IDD_PHONE_FOLDER_CHOOSER 232
#define PHOTOPANE_IDC_PHONE_FOLDER_TREE 1001
