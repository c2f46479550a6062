// Photopane's resource ids other than its texts (PhotopaneStrings.h): dialogs, their controls
// and the copy animation, for the resource compiler and for C++.
#pragma once

// The property page (dialog 110) and its controls.
#define PHOTOPANE_IDD_PICTURES_PAGE 110
#define PHOTOPANE_IDC_PC_FOLDER 201
#define PHOTOPANE_IDC_CHOOSE_PC_FOLDER 202
#define PHOTOPANE_IDC_LEAVE_ORIGINALS 203
#define PHOTOPANE_IDC_DELETE_ORIGINALS 204
#define PHOTOPANE_IDC_DOWNLOAD_START 205
#define PHOTOPANE_IDC_OVERWRITE 206
#define PHOTOPANE_IDC_DO_NOT_OVERWRITE 207
#define PHOTOPANE_IDC_PHONE_FOLDER 208
#define PHOTOPANE_IDC_PC_GROUP 212
#define PHOTOPANE_IDC_PHONE_GROUP 213
#define PHOTOPANE_IDC_PC_FOLDER_LABEL 214
#define PHOTOPANE_IDC_PHONE_FOLDER_LABEL 215
#define PHOTOPANE_IDC_CHOOSE_PHONE_FOLDER 218

// The progress dialog of a download.
#define PHOTOPANE_IDD_PROGRESS 201
#define PHOTOPANE_IDC_PROGRESS_CANCEL 211
#define PHOTOPANE_IDC_PROGRESS_BAR 209
#define PHOTOPANE_IDC_ANIMATION 210
#define PHOTOPANE_IDC_PROGRESS_TEXT 216
#define PHOTOPANE_IDR_COPY_ANIMATION 204

// The small "downloading in progress" window of a job started from the tool button.
#define PHOTOPANE_IDD_DOWNLOADING 205
#define PHOTOPANE_IDC_DOWNLOADING_TEXT 217

// The registration script.
#define PHOTOPANE_IDR_REGISTRY 300
