#include "support/VYBankServer.hpp"

#include "platform/foundation/PercentEncoding.hpp"
#include "platform/foundation/URL.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <atomic>
#include <mutex>

namespace testsupport {
namespace {

std::string htmlEscaped(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        const char* reference = c == '&'    ? "&amp;"
                                : c == '<'  ? "&lt;"
                                : c == '>'  ? "&gt;"
                                : c == '"'  ? "&quot;"
                                : c == '\'' ? "&#39;"
                                            : nullptr;
        escaped += reference ? std::string(reference) : std::string(1, c);
    }
    return escaped;
}

// The fields of an "application/x-www-form-urlencoded" body ('+' is a space), decoded.
std::vector<std::pair<std::string, std::string>> formFields(std::string_view body) {
    std::string percentEncoded;
    for (char c : body) {
        percentEncoded += c == '+' ? std::string("%20") : std::string(1, c);
    }
    std::vector<std::pair<std::string, std::string>> fields;
    for (auto& item : foundation::parseQueryItems(percentEncoded)) {
        fields.emplace_back(std::move(item.name), item.value.value_or(""));
    }
    return fields;
}

std::string fieldOf(const std::vector<std::pair<std::string, std::string>>& fields, std::string_view name) {
    for (const auto& [key, value] : fields) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

TestResponse html(const std::string& title, const std::string& body) {
    return TestResponse{200,
                        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title +
                            "</title></head><body><h1>VY ID</h1>" + body + "</body></html>",
                        "text/html; charset=utf-8",
                        {}};
}

// The login's state and redirect URI travel with each form.
std::string hiddenFields(const std::string& state, const std::string& redirectUri) {
    return "<input type=\"hidden\" name=\"state\" value=\"" + htmlEscaped(state) +
           "\"><input type=\"hidden\" name=\"redirect_uri\" value=\"" + htmlEscaped(redirectUri) + "\">";
}

const std::string termsLink = "<p><a href=\"/terms.pdf\">Terms of use</a></p>";

TestResponse codePage(const std::string& state, const std::string& redirectUri, const std::string& notice) {
    return html("VY Bank: code", "<p>" + htmlEscaped(notice) + "</p><form method=\"post\" action=\"/code\">" +
                                     hiddenFields(state, redirectUri) +
                                     "<input type=\"text\" name=\"code\" inputmode=\"numeric\">"
                                     "<button type=\"submit\">Confirm</button></form>" +
                                     termsLink);
}

// A one-page PDF document that says what it is.
std::string termsDocument() {
    return "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
           "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
           "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >> endobj\n"
           "trailer << /Root 1 0 R >>\n%%EOF\n";
}

std::string escapedQueryValue(std::string_view text) {
    return foundation::addingPercentEncoding(text, foundation::URLCharacterSet::alphanumericsAndUnreserved);
}

} // namespace

struct VYBankServer::Impl {
    TestChain chain;
    std::unique_ptr<TestServer> server;
    mutable std::mutex mutex;
    std::vector<std::string> codes;
    std::atomic<int> nextCode{1};

    TestResponse authorizePage(const TestRequest& request) const {
        const std::string client = request.queryValue("client_id");
        return html("VY Bank: sign in",
                    "<p>Sign in to " + htmlEscaped(client.empty() ? std::string("the partner") : client) +
                        " with the phone number of your VY Bank account.</p>"
                        "<form method=\"post\" action=\"/phone\">" +
                        hiddenFields(request.queryValue("state"), request.queryValue("redirect_uri")) +
                        "<input type=\"tel\" name=\"phone\"><button type=\"submit\">Get a code</button></form>" +
                        termsLink);
    }

    // Post, then redirect to a page that can be got again (going back to it included).
    TestResponse phoneAnswer(const TestRequest& request) const {
        const auto fields = formFields(request.body);
        return TestResponse{303,
                            "",
                            "text/plain",
                            {{"Location", "/code?phone=" + escapedQueryValue(fieldOf(fields, "phone")) +
                                              "&state=" + escapedQueryValue(fieldOf(fields, "state")) +
                                              "&redirect_uri=" + escapedQueryValue(fieldOf(fields, "redirect_uri"))}}};
    }

    TestResponse codeRequest(const TestRequest& request) const {
        return codePage(request.queryValue("state"), request.queryValue("redirect_uri"),
                        "We sent a code to " + request.queryValue("phone") + ".");
    }

    TestResponse codeAnswer(const TestRequest& request) {
        const auto fields = formFields(request.body);
        const std::string state = fieldOf(fields, "state");
        const std::string redirectUri = fieldOf(fields, "redirect_uri");
        const auto redirect = foundation::URL::string(redirectUri);
        if (fieldOf(fields, "code") != smsCode || !redirect) {
            return codePage(state, redirectUri, "The code is not right. Try again.");
        }
        const std::string code = "vyb-" + std::to_string(nextCode++) + "-" + std::to_string(server->port());
        {
            std::lock_guard lock(mutex);
            codes.push_back(code);
        }
        std::string location = redirectUri;
        location += redirect->query() ? "&" : "?";
        location += "code=" + escapedQueryValue(code) + "&state=" + escapedQueryValue(state);
        return TestResponse{302, "", "text/plain", {{"Location", location}}};
    }
};

VYBankServer::VYBankServer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

VYBankServer::~VYBankServer() = default;

std::unique_ptr<VYBankServer> VYBankServer::start() {
    auto impl = std::make_unique<Impl>();
    impl->chain = makeTestChain("VY Bank Local Root CA");
    impl->server = TestServer::startHTTPS(impl->chain.server);
    Impl& state = *impl;
    state.server->handle("GET", "/authorize",
                         [&state](const TestRequest& request) { return state.authorizePage(request); });
    state.server->handle("POST", "/phone", [&state](const TestRequest& request) { return state.phoneAnswer(request); });
    state.server->handle("GET", "/code", [&state](const TestRequest& request) { return state.codeRequest(request); });
    state.server->handle("POST", "/code", [&state](const TestRequest& request) { return state.codeAnswer(request); });
    state.server->handle("GET", "/terms.pdf", [](const TestRequest&) {
        return TestResponse{200, termsDocument(), "application/pdf", {}};
    });
    // The partner's pages: its personal account, which single sign-on opens, and one page deeper.
    state.server->handle("GET", "/partner/account", [](const TestRequest& request) {
        return TestResponse{200,
                            "<html><head><title>VY Shop account</title></head><body><p>Hello, " +
                                htmlEscaped(request.queryValue("user")) +
                                "</p><a href=\"/partner/orders\">Orders</a></body></html>",
                            "text/html",
                            {}};
    });
    state.server->handle("GET", "/partner/orders", [](const TestRequest&) {
        return TestResponse{
            200, "<html><head><title>VY Shop orders</title></head><body>No orders</body></html>", "text/html", {}};
    });
    return std::unique_ptr<VYBankServer>(new VYBankServer(std::move(impl)));
}

security::SecCertificate VYBankServer::rootCertificate() const { return impl_->chain.root.certificate(); }

std::string VYBankServer::url(std::string_view path) const { return impl_->server->url(path); }

std::string VYBankServer::authorizationURL(std::string_view clientId, std::string_view redirectUri,
                                           std::string_view state) const {
    return url("/authorize") + "?client_id=" + escapedQueryValue(clientId) +
           "&redirect_uri=" + escapedQueryValue(redirectUri) + "&state=" + escapedQueryValue(state);
}

std::vector<std::string> VYBankServer::issuedCodes() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->codes;
}

TestServer& VYBankServer::server() const { return *impl_->server; }

} // namespace testsupport
