// A COM enumerator (IEnumXxx) over a fixed snapshot of items. Clones share the snapshot and
// start at the clone's position.
//
// Traits supply the element handling: `static void Copy(const Stored&, Item&)` fills an
// element for the caller (with the references the caller then owns).
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "com/ComObject.h"
#include "com/HResult.h"

namespace tolv::com {

template <class EnumInterface, class Item, class Stored, class Traits>
class SnapshotEnumerator : public EnumInterface {
public:
    using interface_map = tolv::com::interface_map<EnumInterface>;
    using Snapshot = std::shared_ptr<const std::vector<Stored>>;

    SnapshotEnumerator(Snapshot items, size_t position) noexcept : m_items(std::move(items)), m_position(position) {}

    static HRESULT Create(Snapshot items, size_t position, EnumInterface** result) noexcept
    {
        RETURN_HR_IF_NULL(E_POINTER, result);
        *result = nullptr;
        com_ptr<EnumInterface> enumerator;
        RETURN_IF_FAILED(MakeComObject<SnapshotEnumerator>(enumerator, std::move(items), position));
        *result = enumerator.detach();
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* items, ULONG* fetched) override
    {
        RETURN_HR_IF_NULL(E_POINTER, items);
        // Only a request for one element may leave out the fetched count.
        RETURN_HR_IF(E_POINTER, fetched == nullptr && count != 1);
        ULONG done = 0;
        while (done < count && m_position < m_items->size()) {
            Traits::Copy((*m_items)[m_position], items[done]);
            ++m_position;
            ++done;
        }
        if (fetched != nullptr) {
            *fetched = done;
        }
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const size_t remaining = m_items->size() - m_position;
        if (count > remaining) {
            m_position = m_items->size();
            return S_FALSE;
        }
        m_position += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(EnumInterface** result) override { return Create(m_items, m_position, result); }

private:
    Snapshot m_items;
    size_t m_position;
};

}  // namespace tolv::com
