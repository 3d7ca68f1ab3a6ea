#include "support/VYBankServer.hpp"

#include "platform/foundation/PercentEncoding.hpp"
#include "platform/foundation/URL.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <map>
#include <mutex>

namespace testsupport {
namespace {

std::string htmlEscaped(std::string_view text) {
    static const std::map<char, std::string> references{
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};
    std::string escaped;
    for (char c : text) {
        auto found = references.find(c);
        escaped += found != references.end() ? found->second : std::string(1, c);
    }
    return escaped;
}

TestResponse html(const std::string& title, const std::string& body) {
    return TestResponse{200,
                        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + title + "</title></head><body>" +
                            body + "</body></html>",
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
    return html("VY Bank: code", "<h1>VY ID</h1><p>" + htmlEscaped(notice) +
                                     "</p><form method=\"post\" action=\"/code\">" + hiddenFields(state, redirectUri) +
                                     "<input type=\"text\" name=\"code\" inputmode=\"numeric\">"
                                     "<button type=\"submit\">Confirm</button></form>" +
                                     termsLink);
}

// A one-page PDF document that says what it is.
const std::string termsDocument = "%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
                                  "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
                                  "3 0 obj << /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >> endobj\n"
                                  "trailer << /Root 1 0 R >>\n%%EOF\n";

// "name=value&..." with every value percent-encoded.
std::string queryOf(std::initializer_list<std::pair<const char*, std::string_view>> items) {
    std::string query;
    for (const auto& [name, value] : items) {
        query += (query.empty() ? "" : "&") + std::string(name) + "=" +
                 foundation::addingPercentEncoding(value, foundation::URLCharacterSet::alphanumericsAndUnreserved);
    }
    return query;
}

TestResponse redirectTo(int status, const std::string& location) {
    return TestResponse{status, "", "text/plain", {{"Location", location}}};
}

TestResponse authorizePage(const TestRequest& request) {
    const std::string client = request.queryValue("client_id");
    return html("VY Bank: sign in",
                "<h1>VY ID</h1><p>Sign in to " + htmlEscaped(client.empty() ? std::string("the partner") : client) +
                    " with the phone number of your VY Bank account.</p>"
                    "<form method=\"post\" action=\"/phone\">" +
                    hiddenFields(request.queryValue("state"), request.queryValue("redirect_uri")) +
                    "<input type=\"tel\" name=\"phone\"><button type=\"submit\">Get a code</button></form>" +
                    termsLink);
}

// Post, then redirect to a page that can be got again (going back to it included).
TestResponse phoneAnswer(const TestRequest& request) {
    return redirectTo(303, "/code?" + queryOf({{"phone", request.queryValue("phone")},
                                               {"state", request.queryValue("state")},
                                               {"redirect_uri", request.queryValue("redirect_uri")}}));
}

TestResponse codeRequest(const TestRequest& request) {
    return codePage(request.queryValue("state"), request.queryValue("redirect_uri"),
                    "We sent a code to " + request.queryValue("phone") + ".");
}

} // namespace

struct VYBankServer::Impl {
    TestChain chain;
    std::unique_ptr<TestServer> server;
    mutable std::mutex mutex;
    std::vector<std::string> codes;

    TestResponse codeAnswer(const TestRequest& request) {
        const std::string state = request.queryValue("state");
        const std::string redirectUri = request.queryValue("redirect_uri");
        const auto redirect = foundation::URL::string(redirectUri);
        if (request.queryValue("code") != smsCode || !redirect) {
            return codePage(state, redirectUri, "The code is not right. Try again.");
        }
        std::unique_lock lock(mutex);
        const std::string code =
            codes.emplace_back("vyb-" + std::to_string(codes.size() + 1) + "-" + std::to_string(server->port()));
        lock.unlock();
        return redirectTo(302,
                          redirectUri + (redirect->query() ? "&" : "?") + queryOf({{"code", code}, {"state", state}}));
    }
};

VYBankServer::VYBankServer(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

VYBankServer::~VYBankServer() = default;

std::unique_ptr<VYBankServer> VYBankServer::start() {
    auto impl = std::make_unique<Impl>();
    impl->chain = makeTestChain("VY Bank Local Root CA");
    impl->server = TestServer::startHTTPS(impl->chain.server);
    Impl& state = *impl;
    state.server->handle("GET", "/authorize", authorizePage);
    state.server->handle("POST", "/phone", phoneAnswer);
    state.server->handle("GET", "/code", codeRequest);
    state.server->handle("POST", "/code", [&state](const TestRequest& request) { return state.codeAnswer(request); });
    state.server->handle("GET", "/terms.pdf", [](const TestRequest&) {
        return TestResponse{200, termsDocument, "application/pdf", {}};
    });
    // The partner's pages: its personal account, which single sign-on opens, and one page deeper.
    state.server->handle("GET", "/partner/account", [](const TestRequest& request) {
        return html("VY Shop account", "<p>Hello, " + htmlEscaped(request.queryValue("user")) +
                                           "</p><a href=\"/partner/orders\">Orders</a>");
    });
    state.server->handle("GET", "/partner/orders",
                         [](const TestRequest&) { return html("VY Shop orders", "No orders"); });
    return std::unique_ptr<VYBankServer>(new VYBankServer(std::move(impl)));
}

security::SecCertificate VYBankServer::rootCertificate() const { return impl_->chain.root.certificate(); }

std::string VYBankServer::url(std::string_view path) const { return impl_->server->url(path); }

std::string VYBankServer::authorizationURL(std::string_view clientId, std::string_view redirectUri,
                                           std::string_view state) const {
    return url("/authorize?") + queryOf({{"client_id", clientId}, {"redirect_uri", redirectUri}, {"state", state}});
}

std::vector<std::string> VYBankServer::issuedCodes() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->codes;
}

TestServer& VYBankServer::server() const { return *impl_->server; }

} // namespace testsupport
