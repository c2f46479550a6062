#include "tests/trace/TraceLines.h"

#include <regex>

namespace tolv::trace::testing {

namespace {

const std::string kClosingRow(103, '*');

}  // namespace

bool ParseTraceLine(const std::string& line, TraceLine& parsed)
{
    static const std::regex pattern(R"(^\{\[([0-9a-f]{4,8})\]\} (\d\d):(\d\d):(\d\d):(\d{6}) (-?\d+) (.*)$)");
    std::smatch match;
    if (!std::regex_match(line, match, pattern))
        return false;
    parsed.threadId = static_cast<unsigned>(std::stoul(match[1].str(), nullptr, 16));
    parsed.hour = std::stoi(match[2].str());
    parsed.minute = std::stoi(match[3].str());
    parsed.second = std::stoi(match[4].str());
    parsed.microseconds = static_cast<unsigned>(std::stoul(match[5].str()));
    parsed.level = std::stoi(match[6].str());
    parsed.text = match[7].str();
    return true;
}

std::vector<std::string> LinesAfterBanner(const std::vector<std::string>& lines)
{
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i] == kClosingRow && lines[i + 1].empty())
            return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(i + 2), lines.end());
    }
    return lines;
}

int CountBanners(const std::vector<std::string>& lines)
{
    int banners = 0;
    for (const std::string& line : lines) {
        if (line == "************************ Application: Vostrel Data Suite")
            ++banners;
    }
    return banners;
}

}  // namespace tolv::trace::testing
