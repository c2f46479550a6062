#include "platform/pageframe/PageList.h"

#include <algorithm>
#include <new>

#include "com/HResult.h"
#include "com/UniqueCoTaskMem.h"

namespace pageframe {

using tolv::com::com_ptr;
using tolv::com::unique_cotaskmem_string;

namespace {

std::wstring TextOf(const unique_cotaskmem_string& text)
{
    return text ? std::wstring(text.get()) : std::wstring();
}

}  // namespace

HRESULT CPageList::AddPageByClsid(REFCLSID clsid) noexcept
{
    com_ptr<IUnknown> object;
    RETURN_IF_FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.put_void()));
    return AddPage(object.get());
}

HRESULT CPageList::AddPage(IUnknown* object) noexcept
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    FramePage entry;
    RETURN_IF_FAILED(object->QueryInterface(IID_IPropertyPage, entry.page.put_void()));
    PROPPAGEINFO info{};
    info.cb = sizeof(info);
    RETURN_IF_FAILED(entry.page->GetPageInfo(&info));
    const unique_cotaskmem_string title(info.pszTitle);
    const unique_cotaskmem_string helpFile(info.pszHelpFile);
    const unique_cotaskmem_string docString(info.pszDocString);
    try {
        entry.title = TextOf(title);
        entry.helpFile = TextOf(helpFile);
        entry.docString = TextOf(docString);
        entry.size = info.size;
        m_pages.push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

SIZE CPageList::LargestSize() const noexcept
{
    SIZE largest{};
    for (const FramePage& entry : m_pages) {
        largest.cx = std::max(largest.cx, entry.size.cx);
        largest.cy = std::max(largest.cy, entry.size.cy);
    }
    return largest;
}

}  // namespace pageframe
