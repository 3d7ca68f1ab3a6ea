#include "platform/webkit/HTMLPage.hpp"

#include "platform/foundation/PercentEncoding.hpp"

#include <algorithm>
#include <cctype>
#include <vector>

#include <gumbo.h>

namespace webkit {

namespace {

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string attribute(const GumboElement& element, const char* name) {
    const GumboAttribute* found = gumbo_get_attribute(&element.attributes, name);
    return found != nullptr && found->value != nullptr ? found->value : std::string();
}

bool hasAttribute(const GumboElement& element, const char* name) {
    return gumbo_get_attribute(&element.attributes, name) != nullptr;
}

std::string collapsedWhitespace(const std::string& text) {
    std::string result;
    bool pendingSpace = false;
    for (unsigned char c : text) {
        if (std::isspace(c) != 0) {
            pendingSpace = !result.empty();
            continue;
        }
        if (pendingSpace) {
            result += ' ';
            pendingSpace = false;
        }
        result += static_cast<char>(c);
    }
    return result;
}

// Depth first over a subtree, without recursion: hostile pages nest deeply.
template <class Visit>
void walk(const GumboNode* root, Visit&& visit) {
    std::vector<const GumboNode*> stack{root};
    while (!stack.empty()) {
        const GumboNode* node = stack.back();
        stack.pop_back();
        if (!visit(*node)) {
            continue;
        }
        const GumboVector* children = nullptr;
        if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE) {
            children = &node->v.element.children;
        } else if (node->type == GUMBO_NODE_DOCUMENT) {
            children = &node->v.document.children;
        }
        if (children == nullptr) {
            continue;
        }
        for (unsigned int i = children->length; i > 0; --i) {
            stack.push_back(static_cast<const GumboNode*>(children->data[i - 1]));
        }
    }
}

std::string textOf(const GumboNode& node) {
    std::string text;
    walk(&node, [&](const GumboNode& child) {
        if (child.type == GUMBO_NODE_TEXT || child.type == GUMBO_NODE_WHITESPACE || child.type == GUMBO_NODE_CDATA) {
            text += child.v.text.text;
        }
        return child.type == GUMBO_NODE_ELEMENT || child.type == GUMBO_NODE_DOCUMENT ||
               child.type == GUMBO_NODE_TEMPLATE;
    });
    return collapsedWhitespace(text);
}

bool isElement(const GumboNode& node, GumboTag tag) {
    return (node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE) && node.v.element.tag == tag;
}

std::optional<HTMLFormField> fieldOf(const GumboNode& node) {
    const GumboElement& element = node.v.element;
    std::string name = attribute(element, "name");
    if (name.empty() || hasAttribute(element, "disabled")) {
        return std::nullopt;
    }
    switch (element.tag) {
    case GUMBO_TAG_INPUT: {
        std::string type = lowercased(attribute(element, "type"));
        if (type.empty()) {
            type = "text";
        }
        if (type == "submit" || type == "button" || type == "reset" || type == "image" || type == "file") {
            return std::nullopt;
        }
        if ((type == "checkbox" || type == "radio")) {
            if (!hasAttribute(element, "checked")) {
                return std::nullopt;
            }
            std::string value = hasAttribute(element, "value") ? attribute(element, "value") : "on";
            return HTMLFormField{name, value, type};
        }
        return HTMLFormField{name, attribute(element, "value"), type};
    }
    case GUMBO_TAG_TEXTAREA: {
        std::string text;
        walk(&node, [&](const GumboNode& child) {
            if (child.type == GUMBO_NODE_TEXT || child.type == GUMBO_NODE_WHITESPACE) {
                text += child.v.text.text;
            }
            return child.type == GUMBO_NODE_ELEMENT;
        });
        return HTMLFormField{name, text, "textarea"};
    }
    case GUMBO_TAG_SELECT: {
        const GumboNode* chosen = nullptr;
        walk(&node, [&](const GumboNode& child) {
            if (isElement(child, GUMBO_TAG_OPTION)) {
                if (chosen == nullptr ||
                    (hasAttribute(child.v.element, "selected") && !hasAttribute(chosen->v.element, "selected"))) {
                    chosen = &child;
                }
                return false;
            }
            return child.type == GUMBO_NODE_ELEMENT;
        });
        if (chosen == nullptr) {
            return std::nullopt;
        }
        std::string value =
            hasAttribute(chosen->v.element, "value") ? attribute(chosen->v.element, "value") : textOf(*chosen);
        return HTMLFormField{name, value, "select"};
    }
    default:
        return std::nullopt;
    }
}

// Browsers cap how deep elements nest; the parser's time grows with the square of the depth, so
// a hostile page of nested tags would otherwise hold the engine for minutes.
constexpr int maximumDepth = 512;

bool isOneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* candidate) { return name == candidate; });
}

// Elements that hold no others, or whose text is not markup.
bool isVoid(const std::string& name) {
    return isOneOf(name, {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "param", "source",
                          "track", "wbr", "keygen"});
}
bool isRawText(const std::string& name) {
    return isOneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes", "plaintext"});
}
// What a page's links and forms are made of: kept at any depth.
bool isKept(const std::string& name) { return isOneOf(name, {"a", "form", "select", "option", "button", "label"}); }

// The end of the tag that starts at `from` (its ">"), quotes respected; npos when it has none.
std::size_t tagEnd(std::string_view html, std::size_t from) {
    char quote = 0;
    for (std::size_t i = from; i < html.size(); ++i) {
        char c = html[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string_view::npos;
}

// The markup with the start and end tags that would nest deeper than the cap left out; their
// content stays, one level up. The count is a tokenizer's rough one (an unclosed <p> counts as
// open), which only matters on pages far deeper than real ones.
std::string flattenedDeepNesting(std::string_view html) {
    std::string out;
    out.reserve(html.size());
    int depth = 0;
    std::size_t i = 0;
    while (i < html.size()) {
        std::size_t open = html.find('<', i);
        if (open == std::string_view::npos) {
            out.append(html.substr(i));
            break;
        }
        out.append(html.substr(i, open - i));
        if (html.compare(open, 4, "<!--") == 0) {
            std::size_t close = html.find("-->", open + 4);
            std::size_t next = close == std::string_view::npos ? html.size() : close + 3;
            out.append(html.substr(open, next - open));
            i = next;
            continue;
        }
        bool closing = open + 1 < html.size() && html[open + 1] == '/';
        std::size_t nameStart = open + (closing ? 2 : 1);
        std::size_t nameEnd = nameStart;
        while (nameEnd < html.size() && std::isalnum(static_cast<unsigned char>(html[nameEnd])) != 0) {
            ++nameEnd;
        }
        std::size_t end = tagEnd(html, nameStart);
        if (nameEnd == nameStart || end == std::string_view::npos) {
            // Not a tag (or one never closed): the parser reads it as text or drops it.
            out.append(html.substr(open, (end == std::string_view::npos ? html.size() : end + 1) - open));
            i = end == std::string_view::npos ? html.size() : end + 1;
            continue;
        }
        std::string name = lowercased(std::string(html.substr(nameStart, nameEnd - nameStart)));
        std::string_view tag = html.substr(open, end + 1 - open);
        i = end + 1;
        bool counted = !isVoid(name) && !isKept(name) && !isRawText(name);
        if (!closing && isRawText(name)) {
            // Its text runs to its end tag, whatever it looks like.
            out.append(tag);
            std::string closeTag = "</" + name;
            std::size_t close = i;
            while (close < html.size()) {
                close = html.find("</", close);
                if (close == std::string_view::npos ||
                    lowercased(std::string(html.substr(close, closeTag.size()))) == closeTag) {
                    break;
                }
                close += 2;
            }
            close = std::min(close, html.size());
            out.append(html.substr(i, close - i));
            i = close;
            continue;
        }
        if (!counted || (!closing && tag.size() >= 2 && tag[tag.size() - 2] == '/')) {
            out.append(tag);
        } else if (closing) {
            if (depth <= maximumDepth) {
                out.append(tag);
            }
            depth = std::max(0, depth - 1);
        } else if (++depth <= maximumDepth) {
            out.append(tag);
        }
    }
    return out;
}

} // namespace

HTMLPage HTMLPage::parse(std::string_view markup, const foundation::URL& base) {
    HTMLPage page;
    std::string html = flattenedDeepNesting(markup);
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
    if (output == nullptr) {
        return page;
    }
    bool titleFound = false;
    std::optional<foundation::URL> baseURL;
    // The document's <base href> counts for every link, wherever it stands.
    walk(output->document, [&](const GumboNode& node) {
        if (!baseURL && isElement(node, GUMBO_TAG_BASE) && hasAttribute(node.v.element, "href")) {
            baseURL = foundation::URL::string(attribute(node.v.element, "href"), base);
        }
        return node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_DOCUMENT;
    });
    const foundation::URL& resolveAgainst = baseURL ? *baseURL : base;
    auto resolve = [&](const std::string& reference) {
        std::string trimmed = collapsedWhitespace(reference);
        return foundation::URL::string(trimmed, resolveAgainst);
    };

    walk(output->document, [&](const GumboNode& node) {
        if (node.type != GUMBO_NODE_ELEMENT && node.type != GUMBO_NODE_DOCUMENT && node.type != GUMBO_NODE_TEMPLATE) {
            return false;
        }
        if (node.type == GUMBO_NODE_DOCUMENT) {
            return true;
        }
        const GumboElement& element = node.v.element;
        if (element.tag == GUMBO_TAG_TITLE && !titleFound) {
            titleFound = true;
            page.title = textOf(node);
        } else if (element.tag == GUMBO_TAG_A && hasAttribute(element, "href")) {
            std::string href = attribute(element, "href");
            page.links.push_back(
                HTMLLink{textOf(node), href, resolve(href), lowercased(attribute(element, "target")) == "_blank"});
        } else if (element.tag == GUMBO_TAG_FORM) {
            HTMLForm form;
            form.method = lowercased(attribute(element, "method")) == "post" ? "POST" : "GET";
            std::string action = attribute(element, "action");
            form.action = action.empty() ? std::optional<foundation::URL>(base) : resolve(action);
            walk(&node, [&](const GumboNode& child) {
                if (child.type != GUMBO_NODE_ELEMENT) {
                    return false;
                }
                if (auto field = fieldOf(child)) {
                    form.fields.push_back(std::move(*field));
                }
                return child.v.element.tag != GUMBO_TAG_SELECT && child.v.element.tag != GUMBO_TAG_TEXTAREA;
            });
            page.forms.push_back(std::move(form));
        }
        return true;
    });
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return page;
}

std::string formURLEncoded(const std::vector<std::pair<std::string, std::string>>& fields) {
    // Spaces become "+", everything but the unreserved characters is escaped.
    auto encode = [](const std::string& text) {
        std::string result;
        std::size_t from = 0;
        while (true) {
            auto space = text.find(' ', from);
            result += foundation::addingPercentEncoding(
                std::string_view(text).substr(from, space == std::string::npos ? space : space - from),
                foundation::URLCharacterSet::alphanumericsAndUnreserved);
            if (space == std::string::npos) {
                return result;
            }
            result += '+';
            from = space + 1;
        }
    };
    std::string body;
    for (const auto& [name, value] : fields) {
        if (!body.empty()) {
            body += '&';
        }
        body += encode(name) + "=" + encode(value);
    }
    return body;
}

} // namespace webkit
