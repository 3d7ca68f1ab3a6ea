#include "OTPSceneTestSupport.hpp"

#include "platform/foundation/NotificationCenter.hpp"
#include "platform/swiftui/UIHostingController.hpp"
#include "platform/uikit/UIButton.hpp"
#include "platform/uikit/UIImageView.hpp"
#include "platform/uikit/UIStackView.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "sdk/base/NotificationNames.hpp"
#include "support/TestServer.hpp"

#include <thread>
#include <tuple>
#include <utility>

namespace {

using ::testing::SimulatedUser;
using namespace testsupport;
using vydtest::OTPSceneTest;
using Strings = std::vector<std::string>;

void postReturnResult(foundation::UserInfo userInfo) {
    foundation::NotificationCenter::defaultCenter().post(vyd::NotificationNames::authNativeResult(), nullptr,
                                                         std::move(userInfo));
}

Strings urls(const std::vector<foundation::URL>& list) {
    Strings texts;
    for (const auto& url : list) {
        texts.push_back(url.absoluteString());
    }
    return texts;
}

// Pages whose links lead on, each titled by its path with links named by their text; a ".pdf" path is a PDF.
void servePage(TestServer& server, const std::string& path, const std::string& links = "") {
    const std::string page = "<html><head><title>" + path + "</title></head><body>" + links + "</body></html>";
    const bool pdf = path.ends_with(".pdf");
    const TestResponse response{200, pdf ? "%PDF-1.4" : page, pdf ? "application/pdf" : "text/html", {}};
    server.handle("GET", path, [response](const TestRequest&) { return response; });
}

class TapCountingDelegate : public vyd::OTPWebViewDelegateProtocol {
public:
    explicit TapCountingDelegate(std::shared_ptr<int> taps) : taps(std::move(taps)) {}
    void backButtonPressed() override {}
    void doneButtonPressed() override { ++*taps; }
    void reloadButtonPressed() override {}
    bool shouldShowBackButton() override { return false; }
    std::shared_ptr<int> taps;
};

} // namespace

// The whole road: the start page commits, the forms go through, the bank's redirect to the host
// app's redirect URI is a deep link handed to the system (its cancelled redirect is no error) while
// the page stays, as with every other deep link, and the return link closes the scene, which is
// then released.
TEST_F(OTPSceneTest, FormsLeadToTheRedirectDeepLinksGoToTheSystemAndTheReturnLinkClosesTheScene) {
    device->installApp("vyshop");
    const std::string start = bank->authorizationURL("shop", redirectUri, "s-1");
    open(start);
    waitForPage(start);
    EXPECT_EQ(std::tuple(view()->spinnerImageView()->isHidden(), view()->errorStackView()->isHidden()),
              std::tuple(true, true));

    ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"phone", "+7 900 000-00-00"}}));
    waitForTitle("VY Bank: code");
    ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"code", std::string(VYBankServer::smsCode)}}));
    waitFor([&] { return !device->openedURLs().empty() && !webView()->isLoading(); }, "the redirect");

    ASSERT_EQ(bank->issuedCodes().size(), 1u);
    EXPECT_EQ(std::tuple(urls(device->openedURLs()), webView()->title(), webView()->url()->path(),
                         view()->errorStackView()->isHidden(), sceneEvents()),
              std::tuple(Strings{std::string(redirectUri) + "?code=" + bank->issuedCodes()[0] + "&state=s-1"},
                         "VY Bank: code", "/code", true, Strings{"native show nativeScreen"}));

    // Links to other schemes are handed to the system as well, and the page does not move.
    const auto requests = bank->server().requestCount();
    const auto history = webView()->backForwardList().backList().size();
    const Strings others{"vybank://auth?state=s-1", "tel:+15550100", "about:blank", "HTTPS://127.0.0.1/"};
    for (const auto& link : others) {
        SimulatedUser::navigateByScript(*webView(), *foundation::URL::string(link));
        foundation::RunLoop::main().runUntilIdle();
    }
    const auto requested = requestedURLs();
    EXPECT_EQ(std::tuple(Strings(requested.end() - 4, requested.end()), webView()->isLoading(),
                         webView()->url()->path(), webView()->backForwardList().backList().size(),
                         bank->server().requestCount()),
              std::tuple(others, false, "/code", history, requests));

    postReturnResult({{"isSuccess", true}});
    settle();
    EXPECT_EQ(std::tuple(sceneEvents().back(), hostDelegate->rejections, device->topViewController(), scene.expired()),
              std::tuple("native close success", 0, device->rootViewController(), true));
}

// A, B (asked for in a new window, opened in this one), C, then the PDF D opened from C: "Done"
// on D returns to C instead of closing; back steps to the start page, whose commit is shown again;
// "Done" then rejects.
TEST_F(OTPSceneTest, StacksReturnFromAPdfToItsPageAndDoneWithoutAPdfRejects) {
    auto site = TestServer::startHTTP();
    servePage(*site, "/a", "<a href=\"/b\" target=\"_blank\">B</a>");
    servePage(*site, "/b", "<a href=\"/c\">C</a>");
    servePage(*site, "/c", "<a href=\"/d.pdf\">D</a>");
    servePage(*site, "/d.pdf");
    const auto a = site->url("/a"), b = site->url("/b"), c = site->url("/c"), d = site->url("/d.pdf");
    open(a, false);
    waitForPage(a);
    for (const auto& [link, page] : {std::pair{"B", b}, {"C", c}, {"D", d}}) {
        ASSERT_TRUE(SimulatedUser::tapLink(*webView(), link));
        waitForPage(page);
    }
    EXPECT_EQ(urls(interactor().pagesStack()), (Strings{a, b, c}));
    EXPECT_EQ(urls(interactor().pdfPagesStack()), Strings{c});
    const auto chevron = [&] {
        return view()->hostingHeaderController()->hostingView()->rootNode()->find(
            [](const swiftui::Node& n) { return n.kind() == swiftui::NodeKind::image; });
    };
    EXPECT_EQ(chevron(), nullptr) << "a PDF shows no back button";

    SimulatedUser::tap(view(), "Done");
    waitForPage(c);
    EXPECT_TRUE(interactor().pdfPagesStack().empty());
    EXPECT_EQ(urls(interactor().pagesStack()), Strings{b});

    controller()->openBackListPage(*foundation::URL::string(site->url("/elsewhere")));
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_FALSE(webView()->isLoading());

    const auto tapBack = [&] {
        ASSERT_NE(chevron(), nullptr);
        SimulatedUser::tap(view()->hostingHeaderController()->view(),
                           {chevron()->frame().midX(), chevron()->frame().midY()});
    };
    tapBack();
    waitForPage(b);
    EXPECT_EQ(urls(interactor().pagesStack()), Strings{a}) << "B's own commit pushes A";
    tapBack();
    waitForPage(a);
    EXPECT_TRUE(interactor().pagesStack().empty());
    controller()->backButtonPressed(); // nothing left to return to: no move, no event
    foundation::RunLoop::main().runUntilIdle();
    EXPECT_FALSE(webView()->isLoading());

    SimulatedUser::tap(view(), "Done");
    settle();
    EXPECT_EQ(hostDelegate->rejections, 1);
    EXPECT_EQ(sceneEvents(), (Strings{"native show nativeScreen", "native hide", "native hide", "native hide",
                                      "native show nativeScreen", "native close reject"}));
    EXPECT_TRUE(scene.expired());
}

// The untrusted server gets a TLS handshake but not one request byte. A secure scene then shows
// the page in the browser view (without the scene's colour), and still closes with the browser
// view up (the return link) or after the browser view's own "Done" (the header's "Done"). A scene
// that is not secure only fails the load.
TEST_F(OTPSceneTest, UntrustedServerSendsASecureSceneToTheBrowserViewAndGetsNoRequest) {
    enum class Close { byReturnLinkOverBrowser, byDoneAfterBrowsersDone, notSecure };
    for (auto close : {Close::byReturnLinkOverBrowser, Close::byDoneAfterBrowsersDone, Close::notSecure}) {
        SCOPED_TRACE(static_cast<int>(close));
        const bool isSecure = close != Close::notSecure;
        auto other = VYBankServer::start();
        const std::string start = other->authorizationURL("shop", redirectUri, "s-1");
        open(start, isSecure, uikit::UIColor::red());
        waitFor([&] { return !view()->errorStackView()->isHidden() && (!isSecure || browser()); }, "the outcome");
        settle();

        EXPECT_GT(other->server().handshakeCount(), 0u);
        EXPECT_EQ(other->server().requestCount(), 0u);
        if (!isSecure) {
            EXPECT_EQ(browser(), nullptr);
            continue;
        }
        ASSERT_NE(browser(), nullptr);
        EXPECT_EQ(browser()->url().absoluteString(), start);
        EXPECT_FALSE(browser()->preferredBarTintColor()) << "the browser view does not take the scene's colour";
        EXPECT_EQ(webView()->backgroundColor(), uikit::UIColor::red());
        if (close == Close::byReturnLinkOverBrowser) {
            postReturnResult({{"isSuccess", true}});
        } else {
            ASSERT_TRUE(SimulatedUser::pressDone(*browser()));
            settle();
            EXPECT_EQ(device->topViewController(), controller());
            SimulatedUser::tap(view(), "Done");
        }
        settle();
        EXPECT_EQ(device->topViewController(), device->rootViewController());
        EXPECT_TRUE(scene.expired());
    }
}

// Only WebKit's own "interrupted by policy" (102) is no failure; any other shows the error area
// with its reload button, which reloads the start page (another "show").
TEST_F(OTPSceneTest, LoadFailuresReloadAndTheReturnNotification) {
    const std::string start = bank->authorizationURL("shop", redirectUri, "s-1");
    open(start);
    waitForPage(start);
    ASSERT_TRUE(SimulatedUser::submitForm(*webView(), {{"phone", "1"}}));
    waitForTitle("VY Bank: code");

    interactor().didFailProvisionalNavigation(*webView(), nullptr, {"WebKitErrorDomain", 102, "interrupted"});
    EXPECT_TRUE(view()->errorStackView()->isHidden());
    interactor().didFailProvisionalNavigation(*webView(), nullptr, {"NSURLErrorDomain", 102, "other"});
    EXPECT_EQ(std::tuple(view()->errorStackView()->isHidden(), view()->reloadButton()->isHidden(),
                         view()->spinnerImageView()->isHidden()),
              std::tuple(false, false, true));

    foundation::RunLoop::main().runUntilIdle(); // the error area is laid out before the user sees it
    ASSERT_EQ(SimulatedUser::tap(view()->reloadButton()), view()->reloadButton());
    EXPECT_EQ(std::tuple(view()->spinnerImageView()->isHidden(), view()->errorStackView()->isHidden()),
              std::tuple(false, true));
    waitForPage(start);

    // Only a Bool "isSuccess" closes the scene, also from another thread, as a host may hand the
    // link back; the host's delegate is not told either way.
    postReturnResult({});
    postReturnResult({{"isSuccess", std::string("true")}});
    settle();
    EXPECT_EQ(device->topViewController(), controller());
    std::thread([] { postReturnResult({{"isSuccess", false}}); }).join();
    EXPECT_EQ(device->topViewController(), controller()) << "the views were worked from another thread";
    foundation::RunLoop::main().runUntilIdle();
    settle();
    EXPECT_EQ(device->topViewController(), device->rootViewController());
    EXPECT_EQ(hostDelegate->rejections, 0);
    EXPECT_EQ(sceneEvents(), (Strings{"native show nativeScreen", "error show", "error click",
                                      "native show nativeScreen", "native close fail"}));
}

// The scene's own tests drive the header and the error area through real pages; these pin what
// they cannot reach: the frames, a gone delegate, a hidden reload button and no navigation colour.
TEST_F(OTPSceneTest, TheViewsLayoutAndTapsThatFindNoOneToTell) {
    const auto taps = std::make_shared<int>(0);
    auto delegate = std::make_shared<TapCountingDelegate>(taps);
    const auto view = vyd::OTPWebView::make(std::nullopt);
    view->setupView(delegate);
    view->setTranslatesAutoresizingMaskIntoConstraints(true);
    view->setFrame(root->view()->bounds());
    root->view()->addSubview(view);
    drain();
    device->keyWindow()->layoutIfNeeded();
    EXPECT_EQ(view->hostingHeaderController()->view()->frame(), (uikit::CGRect{0, 47, 390, 44}));
    EXPECT_EQ(view->webView()->frame(), (uikit::CGRect{0, 91, 390, 844 - 91}));
    EXPECT_EQ(view->spinnerImageView()->frame(), (uikit::CGRect{182, 409, 26, 26}));
    EXPECT_EQ(view->backgroundColor(), std::nullopt) << "no navigation colour, no background of its own";
    EXPECT_EQ(view->webView()->backgroundColor(), std::nullopt);

    ASSERT_NE(SimulatedUser::tap(view, "Done"), nullptr);
    EXPECT_EQ(*taps, 1);
    delegate.reset(); // the header keeps the view, not the delegate
    ASSERT_NE(SimulatedUser::tap(view, "Done"), nullptr);
    EXPECT_EQ(*taps, 1);
}
