// Texts with "%1"-style inserts filled by the system's message formatter.
#pragma once

#include <string>
#include <vector>

namespace tolv::resources {

// The highest insert number the pattern uses ("%3" gives 3); 0 when it uses none. "%%" and
// the formatter's other escapes are not inserts.
int HighestInsert(const std::string& pattern);

// The pattern with its inserts replaced by the texts in `arguments` ("%1" the first). Empty
// when formatting fails, and when the pattern asks for more texts than there are: the
// formatter would read past them.
std::string FormatInserts(const std::string& pattern, const std::vector<const char*>& arguments);

}  // namespace tolv::resources
