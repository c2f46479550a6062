// Taking trace files apart again.
#pragma once
#include <string>
#include <vector>

namespace tolv::trace::testing {

struct TraceLine {
    unsigned threadId = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    unsigned microseconds = 0;
    int level = 0;
    std::string text;
};

// A message line as Format writes it: "{[tid]} hh:mm:ss:micros level text".
bool ParseTraceLine(const std::string& line, TraceLine& parsed);

// The lines after a banner's closing row and empty line; all lines when the file has no banner.
std::vector<std::string> LinesAfterBanner(const std::vector<std::string>& lines);

// How many banners the lines hold.
int CountBanners(const std::vector<std::string>& lines);

}  // namespace tolv::trace::testing
