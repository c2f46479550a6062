#include "Mp3TargetNames.h"

#include <windows.h>

#include <string>

namespace tolv::tunepane {

namespace {

std::wstring NumberedName(const std::wstring& name, int number)
{
    const size_t dot = name.find(L'.');
    const std::wstring base = name.substr(0, dot);
    const std::wstring extension = dot == std::wstring::npos ? std::wstring() : name.substr(dot + 1);
    return base + L"(" + std::to_wstring(number) + L")." + extension;
}

}  // namespace

void AssignTargetNames(Mp3TransferList& list)
{
    for (size_t first = 0; first < list.size(); ++first) {
        if (!list[first].targetName.empty())
            continue;
        int number = 0;
        for (size_t later = first + 1; later < list.size(); ++later) {
            if (_wcsicmp(list[later].name.c_str(), list[first].name.c_str()) == 0)
                list[later].targetName = NumberedName(list[later].name, ++number);
        }
    }
    for (Mp3TransferRecord& record : list) {
        if (record.targetName.empty())
            record.targetName = record.name;
    }
}

}  // namespace tolv::tunepane
