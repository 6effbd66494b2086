#include "preview/http_answer.h"

namespace quenlo {

namespace {

const char* reason(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 206:
            return "Partial Content";
        case 400:
            return "Bad Request";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 413:
            return "Content Too Large";
        case 416:
            return "Range Not Satisfiable";
        case 431:
            return "Request Header Fields Too Large";
        case 501:
            return "Not Implemented";
        case 503:
            return "Service Unavailable";
        case 505:
            return "HTTP Version Not Supported";
        default:
            return "Unknown";
    }
}

}  // namespace

HttpAnswer HttpAnswer::text(int status, std::string text) {
    text += '\n';
    auto body = std::make_shared<const std::string>(std::move(text));
    const std::size_t length = body->size();
    return page(status, std::move(body), 0, length);
}

HttpAnswer HttpAnswer::page(int status, std::shared_ptr<const std::string> body, std::size_t offset,
                            std::size_t length) {
    HttpAnswer answer;
    answer.status = status;
    answer.body = std::move(body);
    answer.offset = offset;
    answer.length = length;
    return answer;
}

std::string answer_head(const HttpAnswer& answer) {
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + ' ' + reason(answer.status) +
                       "\r\nContent-Type: " + answer.content_type + "\r\n";
    if (!answer.stream) head += "Content-Length: " + std::to_string(answer.length) + "\r\n";
    for (const auto& [name, value] : answer.fields) head += name + ": " + value + "\r\n";
    head +=
        "X-Content-Type-Options: nosniff\r\n"
        "Content-Security-Policy: frame-ancestors 'none'\r\n"
        "Cross-Origin-Resource-Policy: same-origin\r\n"
        "Referrer-Policy: no-referrer\r\n"
        "Cache-Control: no-store\r\n";
    if (answer.close || answer.stream) head += "Connection: close\r\n";
    return head + "\r\n";
}

}  // namespace quenlo
