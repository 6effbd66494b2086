#include "preview/live_page.h"

#include "backend/rename_runtime_identifiers.h"
#include "foundation/stored_resources.h"

namespace quenlo {

namespace {

std::string script_element(PageKind kind, std::uint64_t build) {
    const std::string script = kind == PageKind::release
                                   ? shorten_runtime_names(preview_script())
                                   : std::string(preview_script());
    return "<script data-build=\"" + std::to_string(build) + "\">\r\n" + script +
           "\r\n</script>\r\n";
}

}  // namespace

std::string live_page(std::string_view page, PageKind kind, std::uint64_t build) {
    const std::size_t body_end = page.rfind("</body>");
    const std::size_t at = body_end == std::string_view::npos ? page.size() : body_end;
    std::string served;
    served.reserve(page.size() + preview_script().size() + 64);
    served.append(page.substr(0, at));
    served.append(script_element(kind, build));
    served.append(page.substr(at));
    return served;
}

std::string waiting_page(PageKind kind, std::uint64_t build) {
    return "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
           "<title>Quenlo</title>\r\n</head>\r\n<body>\r\n" +
           script_element(kind, build) + "</body>\r\n</html>\r\n";
}

}  // namespace quenlo
