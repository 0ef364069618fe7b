#pragma once
// A value that a worker thread and the object that started it both hold,
// freed by whichever lets go last. The library's shared pointer would bring
// its tables of locks and their unwind records into the program for this.
#include <windows.h>

#include <utility>

namespace win {

template <class T>
class CSharedHold {
public:
    CSharedHold() = default;
    template <class... Args>
    static CSharedHold Make(Args&&... args)
    {
        CSharedHold made;
        made.box = new Box{1, T{std::forward<Args>(args)...}};
        return made;
    }
    CSharedHold(const CSharedHold& other) : box(other.box)
    {
        if (box != nullptr) {
            InterlockedIncrement(&box->holders);
        }
    }
    CSharedHold(CSharedHold&& other) noexcept : box(std::exchange(other.box, nullptr)) {}
    CSharedHold& operator=(CSharedHold other) noexcept
    {
        std::swap(box, other.box);
        return *this;
    }
    ~CSharedHold() { Reset(); }

    void Reset()
    {
        if (box != nullptr && InterlockedDecrement(&box->holders) == 0) {
            delete box;
        }
        box = nullptr;
    }
    explicit operator bool() const { return box != nullptr; }
    T& operator*() const { return box->value; }
    T* operator->() const { return &box->value; }

private:
    struct Box {
        LONG holders;
        T value;
    };
    Box* box = nullptr;
};

}  // namespace win
