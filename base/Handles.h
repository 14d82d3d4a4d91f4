// Move-only owners for the handle kinds the program uses. Every guaranteed
// clean-up goes through one of these destructors.
#pragma once

#include <windows.h>

#include <utility>

namespace velmora {

// Owner of one handle of a kind described by Traits:
//   using type = ...;  static type invalid();  static void close(type);
template <typename Traits>
class TUniqueHandle {
public:
    using type = typename Traits::type;

    TUniqueHandle() noexcept : h_(Traits::invalid()) {}
    explicit TUniqueHandle(type h) noexcept : h_(h) {}
    TUniqueHandle(TUniqueHandle&& o) noexcept : h_(o.release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;
    ~TUniqueHandle() { reset(); }

    type get() const noexcept { return h_; }
    bool valid() const noexcept { return h_ != Traits::invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    // For out-parameters of creating calls: closes the current handle first.
    type* put() noexcept {
        reset();
        return &h_;
    }
    type release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(type h = Traits::invalid()) noexcept {
        type old = std::exchange(h_, h);
        if (old != Traits::invalid()) Traits::close(old);
    }

private:
    type h_;
};

// A closer adapter for close calls whose signature is not plain `close(h)`.
template <typename T, T Invalid, auto Close>
struct THandleTraits {
    using type = T;
    static type invalid() noexcept { return Invalid; }
    static void close(type h) noexcept { Close(h); }
};

namespace detail {
inline void CloseKernelHandle(HANDLE h) noexcept { ::CloseHandle(h); }
inline void CloseRegKey(HKEY h) noexcept { ::RegCloseKey(h); }
inline void ReleaseLibrary(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DestroyWindowHandle(HWND h) noexcept { ::DestroyWindow(h); }
inline void ReleaseSid(PSID h) noexcept { ::FreeSid(h); }
inline void DestroyIconHandle(HICON h) noexcept { ::DestroyIcon(h); }
inline void UnhookHook(HHOOK h) noexcept { ::UnhookWindowsHookEx(h); }
inline void FreeHeapBlock(void* p) noexcept { ::HeapFree(::GetProcessHeap(), 0, p); }
}  // namespace detail

using TKernelHandle = TUniqueHandle<THandleTraits<HANDLE, nullptr, &detail::CloseKernelHandle>>;
struct TFileHandleTraits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type h) noexcept { ::CloseHandle(h); }
};
using TFileHandle = TUniqueHandle<TFileHandleTraits>;
using TRegKey = TUniqueHandle<THandleTraits<HKEY, nullptr, &detail::CloseRegKey>>;
using TLibrary = TUniqueHandle<THandleTraits<HMODULE, nullptr, &detail::ReleaseLibrary>>;
using TGdiObject = TUniqueHandle<THandleTraits<HGDIOBJ, nullptr, &detail::DeleteGdiObject>>;
using TWindow = TUniqueHandle<THandleTraits<HWND, nullptr, &detail::DestroyWindowHandle>>;
using TIcon = TUniqueHandle<THandleTraits<HICON, nullptr, &detail::DestroyIconHandle>>;
using THook = TUniqueHandle<THandleTraits<HHOOK, nullptr, &detail::UnhookHook>>;
using TSid = TUniqueHandle<THandleTraits<PSID, nullptr, &detail::ReleaseSid>>;

// A window's device context from GetDC, given back to that window.
class TWindowDC {
public:
    explicit TWindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    TWindowDC(TWindowDC&& o) noexcept
        : window_(o.window_), dc_(std::exchange(o.dc_, nullptr)) {}
    TWindowDC& operator=(TWindowDC&&) = delete;
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    ~TWindowDC() {
        if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
    }

    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a device context; the one it replaced goes back,
// so that the object can be deleted afterwards.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;
    ~TSelection() {
        if (old_ != nullptr && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Zero-filled block from the process heap; empty when the allocation failed.
class THeapBuffer {
public:
    THeapBuffer() noexcept = default;
    explicit THeapBuffer(SIZE_T bytes) noexcept
        : block_(::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, bytes ? bytes : 1)),
          size_(block_.valid() ? bytes : 0) {}

    char* chars() const noexcept { return static_cast<char*>(block_.get()); }
    template <typename T>
    T* as() const noexcept { return static_cast<T*>(block_.get()); }
    SIZE_T size() const noexcept { return size_; }
    explicit operator bool() const noexcept { return block_.valid(); }

private:
    TUniqueHandle<THandleTraits<void*, nullptr, &detail::FreeHeapBlock>> block_;
    SIZE_T size_ = 0;
};

}  // namespace velmora
