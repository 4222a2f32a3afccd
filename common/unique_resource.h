#pragma once
#include <cstdio>
#include <type_traits>
#include <utility>

// Sole ownership of one resource handle: a COM pointer, a BSTR, a VARIANT, a registry key, a
// module, a file. The handle kind is described by a small traits class:
//
//   struct Traits {
//       using Handle = ...;                       // what the platform hands out
//       static Handle Empty() noexcept;           // the "no resource" value
//       static bool IsEmpty(const Handle&) noexcept;
//       static void Close(Handle&) noexcept;      // give the resource back
//   };
//
// Copying is deleted; moving hands the resource on. Receive() empties the holder and exposes its
// slot for an out-parameter, so an API can fill it directly.
template <class Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() noexcept : handle_(Traits::Empty()) {}
    explicit UniqueResource(Handle handle) noexcept : handle_(std::move(handle)) {}
    ~UniqueResource() { Reset(); }

    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;

    UniqueResource(UniqueResource&& other) noexcept : handle_(other.Detach()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Detach());
        return *this;
    }

    // Closes what is held and takes `handle` instead.
    void Reset(Handle handle = Traits::Empty()) noexcept {
        Handle old = std::exchange(handle_, std::move(handle));
        if (!Traits::IsEmpty(old)) Traits::Close(old);
    }

    // Gives up ownership without closing.
    Handle Detach() noexcept { return std::exchange(handle_, Traits::Empty()); }

    // For an out-parameter: whatever was held is closed first.
    Handle* Receive() noexcept {
        Reset();
        return &handle_;
    }

    const Handle& Get() const noexcept { return handle_; }
    Handle& Get() noexcept { return handle_; }
    bool IsEmpty() const noexcept { return Traits::IsEmpty(handle_); }
    explicit operator bool() const noexcept { return !IsEmpty(); }

    // Pointer handles only (COM interfaces, heap buffers).
    template <class H = Handle, class = std::enable_if_t<std::is_pointer_v<H>>>
    H operator->() const noexcept {
        return handle_;
    }

private:
    Handle handle_;
};

// The traits of a handle kind whose "no resource" value is null and that `CloseFunction` gives back.
template <class H, auto CloseFunction>
struct NullHandleTraits {
    using Handle = H;
    static Handle Empty() noexcept { return nullptr; }
    static bool IsEmpty(Handle handle) noexcept { return handle == nullptr; }
    static void Close(Handle handle) noexcept { CloseFunction(handle); }
};

inline void CloseFile(std::FILE* file) noexcept { std::fclose(file); }

// A C stream, closed when the owner goes; whoever must know whether the close succeeded closes
// what Detach() hands back.
using UniqueFile = UniqueResource<NullHandleTraits<std::FILE*, CloseFile>>;
