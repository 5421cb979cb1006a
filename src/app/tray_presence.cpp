#include "app/tray_presence.h"

namespace haloquill {

void TrayPresence::HideInTray() {
    window_.iconWanted = true;
    OfferIcon();
    window_.state = WindowState::Minimized;
    window_.shown = false;
}

void TrayPresence::ShowFromTray() {
    BringUp();
    ++window_.centrings;
    RemoveIcon();
}

void TrayPresence::BringUp() {
    window_.shown = true;
    window_.state = WindowState::Normal;
    ++window_.raises;
}

void TrayPresence::ShowAtStart() {
    window_.shown = !window_.iconWanted;
}

void TrayPresence::RemoveIcon() {
    window_.iconWanted = false;
    retriesLeft_ = 0;
}

bool TrayPresence::Tick() {
    if (!window_.iconWanted || retriesLeft_ == 0) {
        return false;
    }
    --retriesLeft_;
    ++window_.iconOffers;
    return true;
}

void TrayPresence::OnTaskbarCreated() {
    if (window_.iconWanted) {
        OfferIcon();
    }
}

void TrayPresence::OfferIcon() {
    ++window_.iconOffers;
    retriesLeft_ = kTrayIconRetries;
}

} // namespace haloquill
