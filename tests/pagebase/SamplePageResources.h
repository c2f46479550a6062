// Resources of the sample page, shared by its resource script, its code and the tests that
// drive it (the resource compiler reads only the preprocessor's definitions).
#pragma once

#define IDD_SAMPLE_PAGE 110
#define IDS_SAMPLE_TITLE 106
#define IDC_SAMPLE_NAME 201
#define IDC_SAMPLE_ENABLED 202
#define IDC_SAMPLE_NOTE 203
#define IDC_SAMPLE_APPLIED 204
#define IDC_SAMPLE_BROWSE 205
#define IDR_SAMPLE_PAGE_REGISTRY 300
// The template's size in dialog units.
#define SAMPLE_PAGE_WIDTH 220
#define SAMPLE_PAGE_HEIGHT 120
