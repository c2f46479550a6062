// The pages a frame shows, in tab order, each with the information it reported. Pages come
// by class identifier (the command line) or as an object someone hands over (the host
// application's page collector, which receives each plug-in's page as an IUnknown).
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <ocidl.h>

#include "com/ComPtr.h"

namespace pageframe {

struct FramePage {
    tolv::com::com_ptr<IPropertyPage> page;
    std::wstring title;
    std::wstring helpFile;
    std::wstring docString;
    SIZE size{};
};

class CPageList {
public:
    // Creates the class in process and adds it.
    HRESULT AddPageByClsid(REFCLSID clsid) noexcept;
    // Adds an object that answers IPropertyPage; its page information is read at once.
    HRESULT AddPage(IUnknown* object) noexcept;

    const std::vector<FramePage>& Pages() const noexcept { return m_pages; }
    size_t size() const noexcept { return m_pages.size(); }
    bool empty() const noexcept { return m_pages.empty(); }
    // The size that holds every page.
    SIZE LargestSize() const noexcept;

private:
    std::vector<FramePage> m_pages;
};

}  // namespace pageframe
