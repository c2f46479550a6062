// A uniquely named folder in the temporary folder, removed with its contents at the end.
#pragma once
#include <string>

namespace tolv::trace::testing {

class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    // Without a trailing separator.
    const std::string& Path() const { return m_path; }
    // Path + "\" + relative.
    std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

private:
    std::string m_path;
};

}  // namespace tolv::trace::testing
