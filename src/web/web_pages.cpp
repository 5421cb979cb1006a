#include "web/web_pages.h"

// The build gives the site base (CMake's HALOQUILL_SITE_BASE), to this file alone.

namespace haloquill {

std::string_view PageKey(WebPage page) {
    switch (page) {
    case WebPage::Home:
        return "home-page";
    case WebPage::Help:
        return "help-web-page";
    case WebPage::Download:
        return "download-web-page";
    case WebPage::Donate:
        return "donate";
    case WebPage::FullyBranded:
        return "fully-branded";
    case WebPage::CoBrand:
        break;
    }
    return "co-brand";
}

std::string PageAddress(std::string_view siteBase, WebPage page) {
    std::string address(siteBase);
    address += "corvel-free-haloquill/ssd.php?page=";
    address += PageKey(page);
    return address;
}

std::string_view ConfiguredSiteBase() {
    return HALOQUILL_SITE_BASE;
}

std::string SiteDisplayName(std::string_view siteBase) {
    const auto scheme = siteBase.find("://");
    if (scheme != std::string_view::npos) {
        siteBase.remove_prefix(scheme + 3);
    }
    while (!siteBase.empty() && siteBase.back() == '/') {
        siteBase.remove_suffix(1);
    }
    return std::string(siteBase);
}

std::string WithSiteName(std::string_view text, std::string_view siteBase) {
    constexpr std::string_view kPlaceholder = "{site}";
    const std::string name = SiteDisplayName(siteBase);
    std::string result;
    for (;;) {
        const auto at = text.find(kPlaceholder);
        if (at == std::string_view::npos) {
            result.append(text);
            return result;
        }
        result.append(text.substr(0, at));
        result.append(name);
        text.remove_prefix(at + kPlaceholder.size());
    }
}

} // namespace haloquill
