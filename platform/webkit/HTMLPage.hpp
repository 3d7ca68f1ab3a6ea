#pragma once

// What the web view keeps of a loaded HTML document: it renders nothing, but a page's title,
// links and forms are what a user (the simulated one) acts on.

#include "platform/foundation/URL.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace webkit {

struct HTMLLink {
    // The text a user sees, whitespace collapsed.
    std::string text;
    // As written, and resolved against the page (none when it does not resolve).
    std::string href;
    std::optional<foundation::URL> url;
    // target="_blank": the link asks for a new window.
    bool opensNewWindow = false;
};

struct HTMLFormField {
    std::string name;
    std::string value;
    // "text", "hidden", "password", "submit", "select", "textarea"...
    std::string type;
};

struct HTMLForm {
    // "GET" or "POST" (anything else is read as GET, as browsers do).
    std::string method = "GET";
    // Where the form goes: its action resolved against the page, the page itself without one.
    std::optional<foundation::URL> action;
    // The fields that a submission sends, in document order: named, not disabled, checkboxes
    // and radio buttons only when checked, no buttons.
    std::vector<HTMLFormField> fields;
};

struct HTMLPage {
    std::string title;
    std::vector<HTMLLink> links;
    std::vector<HTMLForm> forms;

    // Parses any bytes as HTML (broken, huge or hostile input included) for a page at `base`.
    static HTMLPage parse(std::string_view html, const foundation::URL& base);
};

// A form's fields as "application/x-www-form-urlencoded".
std::string formURLEncoded(const std::vector<std::pair<std::string, std::string>>& fields);

} // namespace webkit
