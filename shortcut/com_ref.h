#pragma once
// Owns one COM interface pointer and releases it once.

template <class Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface* operator->() const { return pointer_; }
    Interface* get() const { return pointer_; }
    // For the out-parameter of CoCreateInstance and QueryInterface.
    void** put() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};
