#pragma once
// A move-only owner of one resource of the platform's, closed with its own function. `Traits`
// names the resource's type (Handle), the value that holds none (Invalid) and how it is closed
// (Close).

#include <utility>

namespace haloquill {

template <typename Traits> class UniqueResource {
  public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle handle) : handle_(handle) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) {
            Reset(std::exchange(other.handle_, Traits::Invalid()));
        }
        return *this;
    }
    ~UniqueResource() { Reset(); }

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Invalid(); }

    void Reset(Handle handle = Traits::Invalid()) {
        if (handle_ != Traits::Invalid()) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

    // Gives the handle up to an owner outside, such as a window that destroys its menu itself.
    Handle Release() { return std::exchange(handle_, Traits::Invalid()); }

    // For APIs that return the handle through a pointer.
    Handle* Receive() {
        Reset();
        return &handle_;
    }

  private:
    Handle handle_ = Traits::Invalid();
};

} // namespace haloquill
