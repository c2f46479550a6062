#pragma once
// The base of every object of the device model: a node of an intrusive circular list, found
// by name, and kept alive by the descriptions that refer to it. A ring is held by a pointer
// to its head element; null means the ring has not been read.
#include "Components/Kivlink/core/KivString.h"

#include <windows.h>

// Letters A to Z compared without regard to case; every other character as it stands.
bool EqualNamesIgnoringCase(const wchar_t* left, const wchar_t* right);

template <class T>
class NamedRing {
public:
    NamedRing() : m_next(this), m_previous(this) {}
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

    T* Next() const { return static_cast<T*>(m_next); }
    bool IsMember() const { return m_member; }

    // Joins the neighbours and leaves this node a ring of one.
    void Unlink()
    {
        m_next->m_previous = m_previous;
        m_previous->m_next = m_next;
        m_next = this;
        m_previous = this;
        m_member = false;
    }

    // Links node in at the end of the ring (before the head); an empty ring gets node as head.
    static void Append(T*& head, T* node)
    {
        node->m_member = true;
        if (!head) {
            head = node;
            return;
        }
        NamedRing* last = head->m_previous;
        node->m_next = head;
        node->m_previous = last;
        last->m_next = node;
        head->m_previous = node;
    }

    // The first element, from the head on, whose name equals name without regard to case.
    static T* Find(T* head, const wchar_t* name)
    {
        if (!head)
            return nullptr;
        T* element = head;
        do {
            if (EqualNamesIgnoringCase(element->GetName().c_str(), name))
                return element;
            element = element->Next();
        } while (element != head);
        return nullptr;
    }

    // Unlinks every element and marks the ring unread. The elements live on while
    // descriptions refer to them.
    static void UnlinkAll(T*& head)
    {
        while (head) {
            T* element = head;
            head = element->m_next == element ? nullptr : element->Next();
            element->Unlink();
        }
    }

private:
    NamedRing* m_next;
    NamedRing* m_previous;
    volatile LONG m_references = 0;
    bool m_member = false;
};
