#pragma once

#include "platform/security/SecCertificate.hpp"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

class TestServer;

// VY Bank's authorization pages on 127.0.0.1 over HTTPS, for tests and the example app. Its
// certificate (for "localhost" and 127.0.0.1) is made at start with a root of its own, so every
// server chains to another root and a client trusts one only by taking its `rootCertificate()`
// as an anchor (the root's private key is gone once it has signed).
//
//   GET  /authorize   the sign-in page for the query's "client_id", "redirect_uri" and "state":
//                     a phone form and a link "Terms of use" to the terms
//   POST /phone       the phone form's target: a redirect (303) to the code page
//   GET  /code        the code page: a form for the code from the SMS, and the terms' link
//   POST /code        the code form's target: with the right code, a redirect (302) to the
//                     redirect URI with "code" and "state" added; otherwise the code page again
//   GET  /terms.pdf   the terms, a PDF document
//   GET  /partner/account   a partner's personal account (greets the query's "user"), with a
//                     link "Orders" to /partner/orders
// Values from the request are HTML-escaped on the pages. Stops when destroyed.
class VYBankServer {
public:
    // The code that every SMS of this server carries.
    static constexpr std::string_view smsCode = "4321";

    static std::unique_ptr<VYBankServer> start();
    ~VYBankServer();
    VYBankServer(const VYBankServer&) = delete;
    VYBankServer& operator=(const VYBankServer&) = delete;

    security::SecCertificate rootCertificate() const;

    // "https://127.0.0.1:<port>" followed by `path`.
    std::string url(std::string_view path) const;
    // The sign-in page's address for a login.
    std::string authorizationURL(std::string_view clientId, std::string_view redirectUri, std::string_view state) const;
    // The authorization codes handed out, oldest first.
    std::vector<std::string> issuedCodes() const;

    // The server underneath: its requests and handshakes, and room for more pages.
    TestServer& server() const;

private:
    struct Impl;
    explicit VYBankServer(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

} // namespace testsupport
