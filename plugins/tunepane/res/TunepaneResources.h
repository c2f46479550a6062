// Tunepane's resource ids other than its texts (TunepaneStrings.h): dialogs, their controls,
// icons, the context menu and the copy animation, for the resource compiler and for C++.
#pragma once

// The property page (dialog 110) and its controls.
#define TUNEPANE_IDD_MP3_PAGE 110
#define TUNEPANE_IDC_LOAD_BUTTON 213
#define TUNEPANE_IDC_ADD_DIRECTORY 208
#define TUNEPANE_IDC_ADD_MP3 209
#define TUNEPANE_IDC_MP3_LIST 210
#define TUNEPANE_IDC_FREE_SLIDER 211
#define TUNEPANE_IDC_FREE_TEXT 214
#define TUNEPANE_IDC_CAPACITY_TEXT 217
#define TUNEPANE_IDC_PHONE_PATH 245
#define TUNEPANE_IDC_DELETE_ALL 248
#define TUNEPANE_IDC_PC_GROUP 249
#define TUNEPANE_IDC_PHONE_GROUP 250
#define TUNEPANE_IDC_PHONE_DIRECTORY_LABEL 252
#define TUNEPANE_IDC_RANDOM 253

// The list's row icons and its context menu (items: the menu string ids 32768, 32769).
#define TUNEPANE_IDI_FOLDER_ROW 211
#define TUNEPANE_IDI_FILE_ROW 212
#define TUNEPANE_IDM_LIST_MENU 213

// The progress dialog of an upload.
#define TUNEPANE_IDD_PROGRESS 206
#define TUNEPANE_IDC_PROGRESS_BAR 220
#define TUNEPANE_IDC_ANIMATION 221
#define TUNEPANE_IDC_PROGRESS_TEXT 243
#define TUNEPANE_IDC_PROGRESS_CANCEL 244
#define TUNEPANE_IDR_COPY_ANIMATION 209

// The small "loading in progress" window of a job started from the tool button.
#define TUNEPANE_IDD_LOADING 217
#define TUNEPANE_IDC_LOADING_TEXT 254

// The type library and the registration script.
#define TUNEPANE_IDR_REGISTRY 300
