// Ids of Kivlink's string table (res/strings.rc); shared by the resource script and the code.
#pragma once

#define IDS_KIVLINK                 100
#define IDS_SCQI_RESPONSE_TIMEOUT   101
#define IDS_FILE_EXISTS_ALREADY     102
#define IDS_FILE_NOT_FOUND          103
#define IDS_PHONE_NOT_CONNECTED     104
#define IDS_DRIVE_NOT_FOUND         105
#define IDS_FOLDER_NOT_FOUND        106
#define IDS_UNKNOWN_ERROR           107
#define IDS_DEVICE_NOT_FOUND        108
#define IDS_TOO_MANY_REQUESTS       109
#define IDS_INVALID_SCQI_POINTER    110

#define IDS_KIVLINK_FIRST           IDS_KIVLINK
#define IDS_KIVLINK_LAST            IDS_INVALID_SCQI_POINTER
