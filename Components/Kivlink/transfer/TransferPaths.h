#pragma once
// Splitting and joining the paths a copy works with: a folder ending in its separator and the
// name in it. Phone paths separate with backslashes only, PC paths also with slashes.
#include "core/KivString.h"

struct SFolderAndName {
    CKivString folder;  // up to and including the last separator; "X:" becomes "X:\"; may be empty
    CKivString name;  // after the last separator; empty for a path that ends with one
};

SFolderAndName SplitFolderAndName(const wchar_t* path, bool slashesToo);
// folder with a separator added unless it ends with one (or is empty), then name.
CKivString JoinFolderAndName(const CKivString& folder, const CKivString& name);
bool EndsWithSeparator(const wchar_t* path, bool slashesToo);
// The folder with its trailing separator, which Windows' folder calls do not all take.
CKivString WithTrailingSeparator(const CKivString& folder);
