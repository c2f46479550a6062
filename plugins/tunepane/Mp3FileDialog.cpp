#include "plugins/tunepane/Mp3FileDialog.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cwchar>

#include "plugins/tunepane/Mp3PageTexts.h"
#include "ui/MessageBoxSeam.h"

namespace tolv::tunepane {

namespace {

constexpr wchar_t kMp3Extension[] = L"mp3";
// Wine's dialog copies a selection of several files without checking the name buffer's size.
// The buffer is therefore larger than the dialog is told, and a selection that went past the
// told size counts as too long, as Windows itself reports it.
constexpr size_t kOverrunSlack = 65536;
constexpr wchar_t kFilterSeparator = L'|';

bool IsMp3Extension(const std::wstring& extension)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, extension.c_str(), static_cast<int>(extension.size()),
                          kMp3Extension, -1) == CSTR_EQUAL;
}

// The dialog wants its filter pairs separated by null characters.
std::wstring DialogFilter(std::wstring filter)
{
    std::replace(filter.begin(), filter.end(), kFilterSeparator, L'\0');
    return filter;
}

// The characters of the dialog's answer: names separated and ended by null characters, up to
// and with the last one; `capacity` when no end was found.
size_t AnswerLength(const std::wstring& buffer)
{
    for (size_t index = 0; index + 1 < buffer.size(); ++index) {
        if (buffer[index] == L'\0' && buffer[index + 1] == L'\0') {
            return index + 2;
        }
    }
    return buffer.size();
}

}  // namespace

std::vector<std::wstring> SelectedPaths(const wchar_t* buffer)
{
    std::vector<std::wstring> paths;
    if (buffer == nullptr || *buffer == L'\0') {
        return paths;
    }
    const std::wstring first(buffer);
    const wchar_t* name = buffer + first.size() + 1;
    if (*name == L'\0') {
        paths.push_back(first);
        return paths;
    }
    // A drive root comes with its backslash, any other folder without.
    const std::wstring folder = first.back() == L'\\' ? first : first + L'\\';
    for (; *name != L'\0'; name += wcslen(name) + 1) {
        paths.push_back(folder + name);
    }
    return paths;
}

bool Mp3FileRow(const std::wstring& path, Mp3Row& row)
{
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) {
        return false;
    }
    std::wstring name = path.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos || !IsMp3Extension(name.substr(dot + 1))) {
        return false;
    }
    row.directory = path.substr(0, slash);
    row.name = std::move(name);
    return true;
}

HRESULT ChooseMp3Files(HWND owner, const Mp3PageTexts& texts, const std::wstring& startPath,
                       std::vector<Mp3Row>& chosen)
{
    chosen.clear();
    std::wstring names(kFileDialogBufferLength + kOverrunSlack, L'\0');
    std::copy_n(startPath.begin(), std::min<size_t>(startPath.size(), kFileDialogBufferLength - 1), names.begin());
    const std::wstring filter = DialogFilter(texts.fileFilter);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = kFileDialogBufferLength;
    dialog.lpstrTitle = texts.chooseFiles.c_str();
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    const bool chosenFiles = GetOpenFileNameW(&dialog) != FALSE;
    const DWORD error = chosenFiles ? 0 : CommDlgExtendedError();
    if (!chosenFiles && error == 0) {
        return S_FALSE;
    }
    if (error != 0 || AnswerLength(names) > kFileDialogBufferLength) {
        const bool tooMany = chosenFiles || error == FNERR_BUFFERTOOSMALL;
        const std::wstring& message = tooMany ? texts.tooManyFiles : texts.unknownError;
        tolv::ui::ShowMessageBox(owner, message.c_str(), texts.yourPc.c_str(), MB_OK | MB_ICONWARNING);
        return S_FALSE;
    }

    bool otherFileReported = false;
    for (const std::wstring& path : SelectedPaths(names.c_str())) {
        Mp3Row row;
        if (Mp3FileRow(path, row)) {
            chosen.push_back(std::move(row));
        } else if (!otherFileReported) {
            otherFileReported = true;
            tolv::ui::ShowMessageBox(owner, texts.onlyMp3FilesAdded.c_str(), texts.mp3Directory.c_str(),
                                     MB_OK | MB_ICONWARNING);
        }
    }
    return S_OK;
}

}  // namespace tolv::tunepane
