#pragma once
// COM ownership: the calling thread's apartment, and one reference to an
// interface, released when its owner goes.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace keytide::win32 {

// An apartment for the thread that makes it, left again when it goes: a
// single-threaded one for the user-interface thread, the multithreaded one
// for a thread without a message loop. Make it before any COM object of the
// thread and let it outlive them all.
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_APARTMENTTHREADED) noexcept : result_(CoInitializeEx(nullptr, model)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();  // S_FALSE too: every success is paired
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    // COM can be used on this thread: our apartment, or one of another kind
    // that was entered before us (which is then not ours to leave).
    bool usable() const noexcept { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { reset(); }

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    void reset() noexcept {
        if (Interface* old = std::exchange(pointer_, nullptr)) old->Release();
    }

    // For out-parameters that hand over a reference: drops the one held first.
    Interface** put() noexcept {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace keytide::win32
