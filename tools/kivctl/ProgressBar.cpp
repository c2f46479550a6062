#include "tools/kivctl/ProgressBar.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr size_t kBarCells = 30;
// " [" + bar + "] " + "100%"
constexpr size_t kBarPart = 2 + kBarCells + 2 + 4;
constexpr wchar_t kEllipsis[] = L"...";

std::wstring FitLabel(const std::wstring& label, size_t room)
{
    if (label.size() <= room) {
        return label + std::wstring(room - label.size(), L' ');
    }
    const size_t ellipsis = std::char_traits<wchar_t>::length(kEllipsis);
    if (room <= ellipsis) {
        return label.substr(0, room);
    }
    // Keep the end (the file name) and as much of the start as fits.
    const size_t tail = (room - ellipsis + 1) / 2;
    const size_t head = room - ellipsis - tail;
    return label.substr(0, head) + kEllipsis + label.substr(label.size() - tail);
}

long HeldPercentage(long percentage)
{
    return std::clamp(percentage, 0L, 100L);
}

// " 42%": four characters, so that the numbers of successive lines stay aligned.
std::wstring PercentageText(long percent)
{
    wchar_t number[8];
    std::swprintf(number, sizeof number / sizeof number[0], L"%3ld%%", percent);
    return number;
}

}  // namespace

std::wstring RenderProgressLine(const std::wstring& label, long percentage, size_t width)
{
    const long percent = HeldPercentage(percentage);
    const size_t filled = static_cast<size_t>(percent) * kBarCells / 100;

    std::wstring bar = L" [";
    bar.append(filled, L'#');
    bar.append(kBarCells - filled, L'.');
    bar += L"] ";
    bar += PercentageText(percent);

    const size_t room = width > kBarPart ? width - kBarPart : 0;
    return FitLabel(label, room) + bar;
}

std::wstring RenderLogProgressLine(const std::wstring& label, long percentage)
{
    return label + L" " + PercentageText(HeldPercentage(percentage));
}
