#pragma once
// A folder of the card holding a given number of small files f00000.txt, f00001.txt, ...,
// written straight into the PC folder behind the phone's drive: filling it through Kivlink
// would cost more than everything it is filled for.
#include <windows.h>

#include <string>

// The name of the file of that index; the names sort in index order.
std::wstring ScaleFileName(int index);
// Creates the folder when missing and writes files 0 to count - 1 into it.
HRESULT FillScaleFolder(const std::wstring& pcFolder, int count);
// The entries of a PC folder other than "." and "..".
size_t CountFolderEntries(const std::wstring& pcFolder);
