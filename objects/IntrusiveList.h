#pragma once

#include <cassert>
#include <cstdint>

// A doubly linked list that links its members through their own link fields
// and owns none of them. The link fields are template parameters so that a
// type can be in several kinds of list through different pairs of links.
template <class T, T* T::*Next = &T::next, T* T::*Prev = &T::prev>
class IntrusiveList {
public:
    T* head = nullptr;
    T* tail = nullptr;
    std::int32_t count = 0;

    void PushBack(T* member) {
        member->*Next = nullptr;
        member->*Prev = tail;
        if (tail == nullptr) {
            head = member;
        } else {
            tail->*Next = member;
        }
        tail = member;
        ++count;
    }

    void PushFront(T* member) {
        member->*Prev = nullptr;
        member->*Next = head;
        if (head == nullptr) {
            tail = member;
        } else {
            head->*Prev = member;
        }
        head = member;
        ++count;
    }

    // Inserts `member` before `position`; a null position appends.
    void InsertBefore(T* position, T* member) {
        if (position == nullptr) {
            PushBack(member);
            return;
        }
        member->*Next = position;
        member->*Prev = position->*Prev;
        if (position->*Prev == nullptr) {
            head = member;
        } else {
            (position->*Prev)->*Next = member;
        }
        position->*Prev = member;
        ++count;
    }

    // `member` must be in this list: unlinking a stranger would rewrite the
    // head or tail from its links and lose every real member.
    void Remove(T* member) {
        assert(Contains(member) && "IntrusiveList::Remove of a non-member");
        --count;
        if (member->*Prev != nullptr) {
            (member->*Prev)->*Next = member->*Next;
        } else {
            head = member->*Next;
            if (head != nullptr) {
                head->*Prev = nullptr;
            }
        }
        if (member->*Next != nullptr) {
            (member->*Next)->*Prev = member->*Prev;
        } else {
            tail = member->*Prev;
            if (tail != nullptr) {
                tail->*Next = nullptr;
            }
        }
        member->*Next = nullptr;
        member->*Prev = nullptr;
    }

    // True when `member` is linked into this list. Walks the list; meant
    // for guards on rare paths, not for per-frame work.
    bool Contains(const T* member) const {
        for (const T* it = head; it != nullptr; it = it->*Next) {
            if (it == member) {
                return true;
            }
        }
        return false;
    }

    // Unlinks every member (both links cleared) without destroying any.
    void Clear() {
        T* it = head;
        while (it != nullptr) {
            T* following = it->*Next;
            it->*Next = nullptr;
            it->*Prev = nullptr;
            it = following;
        }
        head = nullptr;
        tail = nullptr;
        count = 0;
    }

    static T* NextOf(const T* member) { return member->*Next; }
};
