// What a page load through the web view costs over loopback TLS (policy, trust challenge answered
// with the test authority as the SDK's certificate service does, fresh TLS connection, commit,
// parsing of the page, finish), against plain libcurl fetching the same page over a fresh
// verified connection with the same request in the same run. Then the process's memory while 1,000 web views are
// made, loaded and released.
#include "bench/RatioReporter.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/security/SecTrust.hpp"
#include "platform/webkit/WKWebView.hpp"
#include "support/TestCertificates.hpp"
#include "support/TestServer.hpp"

#include <curl/curl.h>
#include <malloc.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

using testsupport::TestCertificates;
using testsupport::TestRequest;
using testsupport::TestResponse;
using testsupport::TestServer;

// A sign-in page of a realistic size: a form, links, some text.
std::string signInPage() {
    std::string html = "<!doctype html><html><head><title>VY ID</title></head><body><form method='post' "
                       "action='/auth'><input name='phone'><input type='hidden' name='state' value='s'>"
                       "</form>";
    for (int i = 0; i < 200; ++i) {
        html += "<p>VY Bank keeps your sign-in safe. <a href='/help/" + std::to_string(i) + "'>Help</a></p>";
    }
    return html + "</body></html>";
}

TestServer& server() {
    static const std::unique_ptr<TestServer> running = [] {
        auto started = TestServer::startHTTPS(TestCertificates::shared().localhost);
        started->handle("GET", "/signin", [](const TestRequest&) {
            static const std::string page = signInPage();
            return TestResponse{200, page, "text/html", {}};
        });
        return started;
    }();
    return *running;
}

class TrustingDelegate : public webkit::WKNavigationDelegate {
public:
    bool ended = false;
    bool failed = false;

    void didReceiveAuthenticationChallenge(webkit::WKWebView&, const foundation::URLAuthenticationChallenge& challenge,
                                           foundation::URLAuthenticationChallengeHandler handler) override {
        auto trust = challenge.protectionSpace().serverTrust();
        trust->setAnchorCertificates({TestCertificates::shared().authority.certificate()});
        if (trust->evaluate().trusted) {
            handler(foundation::URLSessionAuthChallengeDisposition::useCredential, foundation::URLCredential(trust));
        } else {
            handler(foundation::URLSessionAuthChallengeDisposition::cancelAuthenticationChallenge, std::nullopt);
        }
    }
    void didFinishNavigation(webkit::WKWebView&, const NavigationPointer&) override { ended = true; }
    void didFailProvisionalNavigation(webkit::WKWebView&, const NavigationPointer&, const foundation::Error&) override {
        ended = failed = true;
    }
};

bool loadAndWait(webkit::WKWebView& webView, TrustingDelegate& delegate, const foundation::URLRequest& request) {
    delegate.ended = delegate.failed = false;
    webView.load(request);
    foundation::RunLoop::main().runUntil([&] { return delegate.ended; }, 30);
    return delegate.ended && !delegate.failed;
}

size_t collect(char* data, size_t size, size_t count, void* into) {
    static_cast<std::string*>(into)->append(data, size * count);
    return size * count;
}

void BM_PageLoad_BaselineCurl(benchmark::State& state) {
    const std::string url = server().localhostURL("/signin");
    const std::string& authority = TestCertificates::shared().authority.certificatePEM;
    for (auto _ : state) {
        std::string body;
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, 1L);
        curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(easy, CURLOPT_SSL_SESSIONID_CACHE, 0L);
        // The same request as the web view's: the server compresses the page the same way.
        curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
        curl_blob blob{const_cast<char*>(authority.data()), authority.size(), CURL_BLOB_COPY};
        curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &collect);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(easy) != CURLE_OK || body.size() < 1000) {
            state.SkipWithError("plain libcurl could not fetch the page");
        }
        curl_easy_cleanup(easy);
    }
}

void BM_PageLoad_WebViewOverTLS(benchmark::State& state) {
    auto delegate = std::make_shared<TrustingDelegate>();
    auto webView = webkit::WKWebView::make();
    webView->setNavigationDelegate(delegate);
    foundation::URLRequest request(*foundation::URL::string(server().localhostURL("/signin")));
    for (auto _ : state) {
        if (!loadAndWait(*webView, *delegate, request) || !webView->page() || webView->page()->links.size() != 200) {
            state.SkipWithError("the web view could not load the page");
        }
    }
}

// Bytes the program holds from the allocator (every arena), unlike the resident size, which
// also counts what the allocator keeps for later.
long heapKilobytes() { return static_cast<long>(mallinfo2().uordblks / 1024); }

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

// Memory (resident, and held from the allocator) after each 250 of 1,000 web views that were made, loaded over TLS and
// released, after 100 of the same to warm the allocator up. The server's record of requests is emptied at each reading:
// it is the server's memory, not the web views'.
void BM_Memory_ThousandWebViews(benchmark::State& state) {
    auto delegate = std::make_shared<TrustingDelegate>();
    foundation::URLRequest request(*foundation::URL::string(server().localhostURL("/signin")));
    auto cycle = [&] {
        auto webView = webkit::WKWebView::make();
        webView->setNavigationDelegate(delegate);
        return loadAndWait(*webView, *delegate, request);
    };
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            cycle();
        }
        server().clearRequests();
        long start = residentKilobytes();
        long heapStart = heapKilobytes();
        std::printf("\nresident / heap in use: %ld / %ld KiB after warm-up", start, heapStart);
        for (int i = 1; i <= 1000; ++i) {
            if (!cycle()) {
                state.SkipWithError("a web view could not load the page");
                return;
            }
            if (i % 250 == 0) {
                server().clearRequests();
                std::printf(", %ld / %ld KiB after %d", residentKilobytes(), heapKilobytes(), i);
            }
        }
        std::printf("\n");
        state.counters["resident_growth_KiB"] = static_cast<double>(residentKilobytes() - start);
        state.counters["heap_growth_KiB"] = static_cast<double>(heapKilobytes() - heapStart);
    }
}

} // namespace

BENCHMARK(BM_PageLoad_BaselineCurl)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageLoad_WebViewOverTLS)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memory_ThousandWebViews)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char** argv) { return vyd::bench::runWithRatios(argc, argv); }
