#pragma once
// The maker's web pages and the launchers that open them in the default browser.

#include "ports/web_browser.h"

#include <string>
#include <string_view>

namespace haloquill {

enum class WebPage { Home, Help, Download, Donate, FullyBranded, CoBrand };

// The key that names the page in its address.
std::string_view PageKey(WebPage page);

// <base>corvel-free-haloquill/ssd.php?page=<key>
std::string PageAddress(std::string_view siteBase, WebPage page);

// The site base the program was built with.
std::string_view ConfiguredSiteBase();

// The site as people write it: the base without its scheme and trailing slash.
std::string SiteDisplayName(std::string_view siteBase);

// `text` with every "{site}" replaced by the site's display name.
std::string WithSiteName(std::string_view text, std::string_view siteBase);

// One parameterless launcher per page.
class WebPageLauncher {
  public:
    WebPageLauncher(WebBrowser& browser, std::string siteBase)
        : browser_(browser), siteBase_(std::move(siteBase)) {}

    void OpenHomePage() { Open(WebPage::Home); }
    void OpenHelpPage() { Open(WebPage::Help); }
    void OpenDownloadPage() { Open(WebPage::Download); }
    void OpenDonatePage() { Open(WebPage::Donate); }
    void OpenFullyBrandedPage() { Open(WebPage::FullyBranded); }
    void OpenCoBrandPage() { Open(WebPage::CoBrand); }

  private:
    void Open(WebPage page) { browser_.Open(PageAddress(siteBase_, page)); }

    WebBrowser& browser_;
    std::string siteBase_;
};

} // namespace haloquill
