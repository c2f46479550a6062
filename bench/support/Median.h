#pragma once
// The median of a set of samples: one slow outlier (a page-cache flush, another helper's
// build) does not move it, as it would move a mean.
#include <algorithm>
#include <vector>

inline double Median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const size_t middle = samples.size() / 2;
    return samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}
