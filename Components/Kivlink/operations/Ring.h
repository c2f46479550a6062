#pragma once
// An intrusive circular list: every element carries its own links, so joining and leaving the
// list never allocates. A lone element points to itself. The owner of the list provides the
// lock and keeps the head.

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

protected:
    Ring() = default;
    ~Ring() = default;

private:
    Ring* m_next = this;
    Ring* m_previous = this;
};
