#pragma once
// Owners of the handles the program opens: each closes its handle once, on
// every path, and can be moved but never copied. Handles of a DLL that only
// a few files use (WinInet, sockets) have their owners beside those files.
#include <windows.h>

#include <utility>

namespace win {

template <class Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle handle) : handle(handle) {}
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    ~CUniqueHandle() { Reset(); }

    Handle Get() const { return handle; }
    Handle* Receive()
    {
        Reset();
        return &handle;
    }
    explicit operator bool() const { return handle != Traits::Invalid(); }
    Handle Release() { return std::exchange(handle, Traits::Invalid()); }
    void Reset(Handle replacement = Traits::Invalid())
    {
        const Handle old = std::exchange(handle, replacement);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Handle handle = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

// Files and tool-help snapshots fail with INVALID_HANDLE_VALUE, not null.
struct FileHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

struct BrushTraits {
    using Handle = HBRUSH;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

using CKernelHandle = CUniqueHandle<KernelHandleTraits>;
using CFileHandle = CUniqueHandle<FileHandleTraits>;
using CRegistryKey = CUniqueHandle<RegistryKeyTraits>;
using CMenuHandle = CUniqueHandle<MenuTraits>;
using CIconHandle = CUniqueHandle<IconTraits>;
using CBrushHandle = CUniqueHandle<BrushTraits>;

}  // namespace win
