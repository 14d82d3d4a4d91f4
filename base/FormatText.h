// wvsprintfA with typed arguments.
#pragma once

#include <windows.h>

#include <type_traits>

namespace velmora {

namespace detail {
// Numbers for %d, %u, %x and %c; character strings for %s.
template <typename T>
INT_PTR FormatSlot(T value) {
    if constexpr (std::is_pointer_v<T>) {
        static_assert(std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, char>,
                      "only character strings are formatted");
        return reinterpret_cast<INT_PTR>(value);
    } else {
        static_assert(std::is_integral_v<T>, "only numbers and strings are formatted");
        return static_cast<INT_PTR>(value);
    }
}
}  // namespace detail

// wvsprintfA reads each argument from a stack slot of pointer width, in the
// 64-bit build as in the 32-bit one. Returns what wvsprintfA returns; the
// buffer must hold 1024 bytes or the whole result, as for wvsprintfA.
template <typename... Args>
int FormatText(char* buffer, const char* format, Args... args) {
    const INT_PTR slots[] = {detail::FormatSlot(args)..., 0};
    return ::wvsprintfA(buffer, format, reinterpret_cast<va_list>(const_cast<INT_PTR*>(slots)));
}

}  // namespace velmora
