#pragma once
// The texts GetInfo answers for a drive and for a file or folder. Every value is followed by
// a comma, the last one too: clients split on it.
#include "core/KivString.h"

#include <windows.h>
#include <oleauto.h>

// "Label=L,Capacity=N,Freespace=F,"
CKivString FormatDriveInfoText(const CKivString& label, long capacity, long freeBytes);

// The attribute words: "DIRECTORY" first for a folder, then ARCHIVE, READONLY, HIDDEN, SYSTEM,
// COMPRESSED in that order joined by "+"; "NORMAL" for a file with none of them.
CKivString FormatAttributeWords(long attributes, bool folder);

// "Type=File|Directory,Attribute=A,Size=Z,Date=D," with the date cut to whole days; size and
// date are 0 for a folder.
CKivString FormatEntryInfoText(bool folder, long attributes, long size, DATE date);

// What GetInfo was asked about.
enum KivInfoPathKind { INFO_INVALID, INFO_DEVICE, INFO_DRIVE, INFO_ENTRY };
KivInfoPathKind ClassifyInfoPath(const wchar_t* path);
