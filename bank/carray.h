#pragma once
// A growable array in insertion order. Room grows in steps (8 by default); positions outside
// 0 .. count-1 raise E_INVALIDARG and storage that cannot be had raises E_OUTOFMEMORY, both as
// a `long`.
#include <new>
#include <stdexcept>
#include <utility>
#include <vector>
#include <windows.h>

template <class T>
class CArray {
public:
    explicit CArray(int growBy = 8) : growBy_(growBy > 0 ? growBy : 1) {}

    int GetCount() const noexcept { return static_cast<int>(items_.size()); }
    int GetCapacity() const noexcept { return static_cast<int>(items_.capacity()); }
    int GetGrowBy() const noexcept { return growBy_; }

    void Add(T item) {
        if (items_.size() == items_.capacity()) Grow();
        items_.push_back(std::move(item));
    }

    T& GetAt(int position) { return items_[Checked(position)]; }
    const T& GetAt(int position) const { return items_[Checked(position)]; }

    // Later entries move down by one.
    T RemoveAt(int position) {
        const std::size_t at = Checked(position);
        T removed = std::move(items_[at]);
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(at));
        return removed;
    }

    // Entries go from last to first; the storage is freed.
    void RemoveAll() noexcept {
        while (!items_.empty()) items_.pop_back();
        std::vector<T>().swap(items_);
    }

private:
    std::size_t Checked(int position) const {
        if (position < 0 || position >= GetCount()) throw static_cast<long>(E_INVALIDARG);
        return static_cast<std::size_t>(position);
    }

    void Grow() {
        try {
            items_.reserve(items_.capacity() + static_cast<std::size_t>(growBy_));
        } catch (const std::bad_alloc&) {
            throw static_cast<long>(E_OUTOFMEMORY);
        } catch (const std::length_error&) {
            throw static_cast<long>(E_OUTOFMEMORY);
        }
    }

    int growBy_;
    std::vector<T> items_;
};
