// The ids of the resource tests' texts, menu, icon and bitmap (TestTexts.rc), shared with the
// tests that read them. Ids 100 to 111 share one string-table block.
#pragma once

#define kGreeting 100
#define kNeutralWhereEnglishIsEmpty 101
#define kNeutralOnly 102
#define kTwoInserts 103
#define kThirdInsertOfTwo 104
#define kEmptyEverywhere 105
#define kMissingEverywhere 106
#define kInNeutralBlockOnly 200

#define kTestMenu 300
#define kMenuOpen 301
#define kMenuClose 302

#define kTestIcon 400
#define kTestBitmap 500

// Set by the module's DllMain to the path of the copy whose code ran last.
#define kLastAttachedVariable L"PELLARY_TEST_TEXTS_ATTACHED"
