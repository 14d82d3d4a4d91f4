// UTF-16 text for what must not pass through the ANSI code page.
#pragma once

#include <new>
#include <string>

namespace velmora {

// std::allocator's own behaviour under a type of its own: std::wstring, with
// std::allocator, links libstdc++'s complete instantiation (some 48 KiB);
// this one compiles in only the members the program uses.
template <typename T>
struct TTextAllocator {
    using value_type = T;
    TTextAllocator() noexcept = default;
    template <typename U>
    TTextAllocator(const TTextAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { ::operator delete(p); }
};
template <typename T, typename U>
bool operator==(const TTextAllocator<T>&, const TTextAllocator<U>&) noexcept { return true; }
template <typename T, typename U>
bool operator!=(const TTextAllocator<T>&, const TTextAllocator<U>&) noexcept { return false; }

using TWideText = std::basic_string<wchar_t, std::char_traits<wchar_t>, TTextAllocator<wchar_t>>;

}  // namespace velmora
