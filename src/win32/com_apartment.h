#pragma once
// COM started on the calling thread (apartment-threaded, without OLE1 DDE) when first needed,
// for the shell and the picture decoder, and ended with the object on the same thread.

#include "win32/system_library.h"

namespace haloquill::win32 {

class ComApartment : Uncopyable {
  public:
    ~ComApartment();

    // Starts COM on this thread unless this object already did; true when COM runs here (also
    // when someone else started it in a compatible way).
    bool Enter();

  private:
    SystemLibrary ole_{L"ole32.dll"}; // loaded with the first use
    bool entered_ = false;
};

} // namespace haloquill::win32
