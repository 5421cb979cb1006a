#include "win32/com_apartment.h"

#include <objbase.h>

namespace haloquill::win32 {

ComApartment::~ComApartment() {
    if (entered_) {
        if (const auto uninitialize = HALOQUILL_LATE_BOUND(ole_, CoUninitialize)) {
            uninitialize();
        }
    }
}

bool ComApartment::Enter() {
    if (entered_) {
        return true;
    }
    const auto initialize = HALOQUILL_LATE_BOUND(ole_, CoInitializeEx);
    if (!initialize) {
        return false;
    }
    const HRESULT result = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // S_OK and S_FALSE both take a reference that CoUninitialize gives back.
    entered_ = SUCCEEDED(result);
    return entered_ || result == RPC_E_CHANGED_MODE;
}

} // namespace haloquill::win32
