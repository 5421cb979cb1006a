#pragma once
// An owner of one reference to a reference-counted interface, such as a COM object's: the
// reference is given back with Release when the owner goes.

#include <utility>

namespace haloquill {

template <typename Interface> class InterfaceReference {
  public:
    InterfaceReference() = default;
    // Takes over a reference the caller holds.
    explicit InterfaceReference(Interface* adopted) : pointer_(adopted) {}
    InterfaceReference(const InterfaceReference&) = delete;
    InterfaceReference& operator=(const InterfaceReference&) = delete;
    ~InterfaceReference() { Reset(); }

    Interface* operator->() const { return pointer_; }
    Interface* Get() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For the calls that give a reference through a pointer; one held before is given back.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Reset() {
        if (pointer_) {
            std::exchange(pointer_, nullptr)->Release();
        }
    }

  private:
    Interface* pointer_ = nullptr;
};

} // namespace haloquill
