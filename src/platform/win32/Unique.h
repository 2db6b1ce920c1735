// Handles that give back what they hold when they go out of scope, in the
// manner of wil's unique_hmodule and com_ptr_nothrow (wil itself does not
// build with the i686 MinGW toolchain).
#pragma once

#include <windows.h>

#include <functional>

namespace ravel {

template <typename T, auto Close>
class Unique {
  public:
    Unique() = default;
    explicit Unique(T value) : value_(value) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }

    T get() const { return value_; }
    T operator->() const { return value_; }
    explicit operator bool() const { return value_ != T{}; }
    // For a function that hands out a new one through a pointer.
    T* put() {
        reset();
        return &value_;
    }
    void reset(T value = T{}) {
        if (value_ != T{}) {
            std::invoke(Close, value_);
        }
        value_ = value;
    }

  private:
    T value_{};
};

template <typename T>
using ComPtr = Unique<T*, &T::Release>;
using UniqueModule = Unique<HMODULE, FreeLibrary>;

// A function of a module looked up at run time; null when either is missing.
template <typename Function>
Function ModuleFunction(const UniqueModule& module, const char* name) {
    return module ? reinterpret_cast<Function>(
                        reinterpret_cast<void*>(GetProcAddress(module.get(), name)))
                  : nullptr;
}

}  // namespace ravel
