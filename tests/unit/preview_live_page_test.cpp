#include "preview/live_page.h"

#include <gtest/gtest.h>

#include <string>

#include "backend/rename_runtime_identifiers.h"

namespace quenlo {
namespace {

TEST(PreviewLivePage, TheScriptGoesBeforeTheBodyEndsAndCallsTheReleaseNames) {
    const std::string page = "<html><body><p>x</p></body></html>";
    const std::string debug = live_page(page, PageKind::debug, 7);
    EXPECT_NE(debug.find("<script data-build=\"7\">"), std::string::npos);
    EXPECT_LT(debug.find("f_saveCookie(0)"), debug.find("</body>"));
    EXPECT_TRUE(debug.ends_with("</script>\r\n</body></html>"));

    const std::string release = live_page(page, PageKind::release, 7);
    EXPECT_EQ(release.find("f_saveCookie"), std::string::npos);
    EXPECT_NE(release.find(shorten_runtime_names("f_saveCookie(0)")), std::string::npos);
}

}  // namespace
}  // namespace quenlo
