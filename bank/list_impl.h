#pragma once
// CListImpl: a collection's entries, each holding one counted reference, kept in a CArray in
// insertion order, behind the collection's dual interface.
#include "bank/carray.h"
#include "platform/win32/unique_handles.h"
#include "server/dispatch_impl.h"

template <class T, class Element, class CollectionInterface>
class CListImpl : public DispatchImpl<CollectionInterface> {
public:
    CListImpl(const CListImpl&) = delete;
    CListImpl& operator=(const CListImpl&) = delete;

    // Takes a new reference on `item` and appends it.
    void Add(Element* item) { entries_.Add(Retain(item)); }

    // Releases and removes the entry at `position`.
    void Remove(int position) { entries_.RemoveAt(position); }

    // Releases the entries from last to first and frees the storage.
    void RemoveAll() noexcept { entries_.RemoveAll(); }

    // The entry at `position`, with a new reference.
    ComPtr<Element> ItemAt(int position) const { return Retain(entries_.GetAt(position).Get()); }

    int Count() const noexcept { return entries_.GetCount(); }

protected:
    CListImpl() = default;
    ~CListImpl() { RemoveAll(); }

    CArray<ComPtr<Element>> entries_;
};
