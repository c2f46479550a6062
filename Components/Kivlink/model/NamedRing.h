#pragma once
// The base of every object of the device model: a node of an intrusive circular list, found
// by name, and kept alive by the descriptions that refer to it. A ring is held by a pointer
// to its head element; null means the ring has not been read.
#include "Components/Kivlink/core/KivString.h"
#include "Components/Kivlink/core/NameComparison.h"
#include "Components/Kivlink/core/Ring.h"

#include <windows.h>

template <class T>
class NamedRing : public Ring<T> {
public:
    NamedRing() = default;
    virtual ~NamedRing() { Unlink(); }
    NamedRing(const NamedRing&) = delete;
    NamedRing& operator=(const NamedRing&) = delete;

    virtual const CKivString& GetName() const = 0;

    // Counted by the descriptions that name the object; the last one deletes it.
    void AddRef() { InterlockedIncrement(&m_references); }
    void Release()
    {
        if (InterlockedDecrement(&m_references) == 0)
            delete this;
    }
    LONG References() const { return InterlockedCompareExchange(const_cast<volatile LONG*>(&m_references), 0, 0); }

    bool IsMember() const { return m_member; }

    // Leaves the ring and stands alone again, no longer a member of the model.
    void Unlink()
    {
        Ring<T>::Unlink();
        m_member = false;
    }

    static void Append(T*& head, T* node)
    {
        node->m_member = true;
        Ring<T>::Append(head, node);
    }

    // The first element, from the head on, whose name equals name without regard to case.
    static T* Find(T* head, const wchar_t* name)
    {
        if (!head)
            return nullptr;
        T* element = head;
        do {
            const CKivString& elementName = element->GetName();
            if (EqualAsciiIgnoringCase(std::wstring_view(elementName.c_str(), elementName.length()), name))
                return element;
            element = element->Next();
        } while (element != head);
        return nullptr;
    }

    // Unlinks every element and marks the ring unread. The elements live on while
    // descriptions refer to them.
    static void UnlinkAll(T*& head)
    {
        while (T* element = Ring<T>::TakeFirst(head))
            element->m_member = false;
    }

private:
    volatile LONG m_references = 0;
    bool m_member = false;
};
