#pragma once
// An intrusive circular list: every element carries its own links, so joining and leaving the
// list never allocates. A lone element points to itself. The owner of a list keeps its head
// (null for an empty list) and provides the lock; the static helpers keep the head right.

template <class T>
class Ring {
public:
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;

    T* Next() const { return static_cast<T*>(m_next); }
    T* Previous() const { return static_cast<T*>(m_previous); }

    // Joins the ring that `position` belongs to, directly in front of it; in front of the
    // head is the end of the ring.
    void InsertBefore(Ring* position)
    {
        m_next = position;
        m_previous = position->m_previous;
        position->m_previous->m_next = this;
        position->m_previous = this;
    }

    // Leaves the ring and stands alone again.
    void Unlink()
    {
        m_previous->m_next = m_next;
        m_next->m_previous = m_previous;
        m_next = this;
        m_previous = this;
    }

    // The element at the end of the ring headed by head.
    static void Append(T*& head, T* element)
    {
        if (head)
            element->InsertBefore(head);
        else
            head = element;
    }
    // Takes element out of the ring headed by head (element must belong to it).
    static void Remove(T*& head, T* element)
    {
        if (element == head)
            head = element->Next() == element ? nullptr : element->Next();
        element->Unlink();
    }
    // The first element, taken out; null for an empty ring.
    static T* TakeFirst(T*& head)
    {
        T* first = head;
        if (first)
            Remove(head, first);
        return first;
    }
    // Whether element belongs to the ring headed by head.
    static bool Contains(const T* head, const T* element)
    {
        if (!head)
            return false;
        const T* member = head;
        do {
            if (member == element)
                return true;
            member = member->Next();
        } while (member != head);
        return false;
    }

protected:
    Ring() = default;
    ~Ring() = default;

private:
    Ring* m_next = this;
    Ring* m_previous = this;
};
