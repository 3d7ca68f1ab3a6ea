#include "platform/webkit/WKWebView.hpp"

#include "platform/foundation/Dispatch.hpp"
#include "platform/foundation/HTTPTransport.hpp"
#include "platform/foundation/URLError.hpp"
#include "platform/security/SecTrust.hpp"
#include "platform/webkit/WKError.hpp"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <thread>

namespace webkit {

namespace transport = foundation::transport;
using foundation::DispatchQueue;
using foundation::URL;
using foundation::URLRequest;

namespace {

// As browsers keep it: a chain of more redirects than this is a loop.
constexpr int maximumRedirects = 20;
// The estimated progress of a navigation: started, body arriving (up to), committed, finished.
constexpr double progressStarted = 0.1;
constexpr double progressReceived = 0.8;
constexpr double progressCommitted = 0.9;
// A navigation has no overall time limit of its own, only the request's idle time-out; this
// only keeps the arithmetic of a waiting challenge finite.
constexpr auto unansweredChallengeLimit = std::chrono::hours(24 * 365);

std::string lowercased(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isWebURL(const URL& url) {
    auto scheme = lowercased(url.scheme().value_or(""));
    return (scheme == "http" || scheme == "https") && !url.host().value_or("").empty();
}

bool isHTML(const std::optional<std::string>& mimeType) {
    return mimeType && (*mimeType == "text/html" || *mimeType == "application/xhtml+xml");
}

// What a worker found for one request.
struct HopResult {
    std::optional<transport::Failure> failure;
    transport::ExchangeResponse response;
    std::optional<HTMLPage> page;
};

} // namespace

struct WKWebView::ProgressObserver {
    foundation::NSKeyValueObservingOptions options;
    ProgressHandler handler;
};

struct WKWebView::Engine {
    struct Navigation {
        Navigation(std::uint64_t identifier, URLRequest first, WKNavigationType kind, WKBackForwardList::Item item)
            : id(identifier), navigation(std::make_shared<WKNavigation>()), request(first), initialURL(first.url),
              type(kind), targetItem(std::move(item)) {}

        std::uint64_t id;
        NavigationPointer navigation;
        URLRequest request;
        URL initialURL;
        WKNavigationType type;
        WKBackForwardList::Item targetItem; // back-forward and reload
        int redirects = 0;
        bool started = false;
        bool committed = false;
        std::shared_ptr<transport::Control> control;
        std::optional<foundation::HTTPURLResponse> response;
        std::optional<HTMLPage> page;
    };

    WKWebView& view;
    std::weak_ptr<WKWebView> weakView;
    std::optional<Navigation> current;
    std::uint64_t lastId = 0;

    explicit Engine(WKWebView& owner) : view(owner) {}

    ~Engine() {
        if (current && current->control) {
            current->control->cancel();
        }
    }

    bool isCurrent(std::uint64_t id) const { return current && current->id == id; }

    // Runs `work` on the main queue later, if the web view still exists then.
    static void post(std::weak_ptr<WKWebView> weakView, std::function<void(Engine&)> work) {
        DispatchQueue::main().async([weakView = std::move(weakView), work = std::move(work)] {
            if (auto view = weakView.lock()) {
                work(*view->engine_);
            }
        });
    }
    void post(std::function<void(Engine&)> work) const { post(weakView, std::move(work)); }

    std::optional<WKFrameInfo> mainFrame() const {
        if (!view.url_) {
            return std::nullopt;
        }
        return WKFrameInfo(true, URLRequest(*view.url_));
    }

    NavigationPointer start(URLRequest request, WKNavigationType type, WKBackForwardList::Item targetItem = nullptr) {
        cancelCurrent();
        Navigation navigation(++lastId, std::move(request), type, std::move(targetItem));
        auto pointer = navigation.navigation;
        current = std::move(navigation);
        std::uint64_t id = lastId;
        post([id](Engine& engine) { engine.askActionPolicy(id); });
        return pointer;
    }

    void cancelCurrent() {
        if (!current) {
            return;
        }
        Navigation old = std::move(*current);
        current.reset();
        if (old.control) {
            old.control->cancel();
        }
        if (old.started && !old.committed) {
            post([old = std::move(old.navigation)](Engine& engine) {
                if (auto delegate = engine.view.navigationDelegate()) {
                    delegate->didFailProvisionalNavigation(engine.view, old,
                                                           foundation::makeURLError(foundation::NSURLErrorCancelled));
                }
            });
        }
    }

    void askActionPolicy(std::uint64_t id) {
        if (!isCurrent(id)) {
            return;
        }
        auto sourceFrame = current->type == WKNavigationType::other && !current->started ? std::nullopt : mainFrame();
        WKNavigationAction action(current->request, current->started ? WKNavigationType::other : current->type,
                                  WKFrameInfo(true, current->request), std::move(sourceFrame));
        auto weak = weakView;
        auto handler = [weak, id](WKNavigationActionPolicy policy) {
            post(weak, [id, policy](Engine& engine) { engine.onActionPolicy(id, policy); });
        };
        if (auto delegate = view.navigationDelegate()) {
            delegate->decidePolicyForNavigationAction(view, action, handler);
        } else {
            handler(WKNavigationActionPolicy::allow);
        }
    }

    void onActionPolicy(std::uint64_t id, WKNavigationActionPolicy policy) {
        if (!isCurrent(id)) {
            return;
        }
        if (policy == WKNavigationActionPolicy::cancel) {
            if (current->started) {
                failProvisional(id, frameLoadInterruptedError());
            } else {
                current.reset();
            }
            return;
        }
        auto delegate = view.navigationDelegate();
        if (!current->started) {
            current->started = true;
            view.setEstimatedProgress(progressStarted);
            if (delegate) {
                delegate->didStartProvisionalNavigation(view, current->navigation);
            }
        } else if (delegate) {
            delegate->didReceiveServerRedirectForProvisionalNavigation(view, current->navigation);
        }
        if (!isCurrent(id)) {
            return;
        }
        if (!isWebURL(current->request.url)) {
            failProvisional(id, foundation::makeURLError(foundation::NSURLErrorUnsupportedURL));
            return;
        }
        runHop(id);
    }

    void runHop(std::uint64_t id) {
        const auto& request = current->request;
        transport::ExchangeRequest hop(request.url);
        hop.method = request.httpMethod.empty() ? "GET" : request.httpMethod;
        hop.body = request.httpBody;
        hop.headers = request.allHTTPHeaderFields();
        hop.idleTimeout = request.timeoutInterval > 0 ? request.timeoutInterval : URLRequest::defaultTimeoutInterval;
        hop.cookies = view.configuration_.websiteDataStore->cookieJar();
        auto control = std::make_shared<transport::Control>();
        current->control = control;

        std::thread([weak = weakView, id, control, hop = std::move(hop)] {
            auto decideTrust = [&](const std::string& host, int port,
                                   std::vector<security::SecCertificate> chain) -> std::optional<transport::Failure> {
                foundation::URLAuthenticationChallenge challenge(foundation::URLProtectionSpace(
                    host, port, "https", foundation::NSURLAuthenticationMethodServerTrust,
                    security::SecTrust::createForServer(chain, host)));
                auto answer = control->waitForAnswer(
                    [&](foundation::URLAuthenticationChallengeHandler handler) {
                        post(weak, [id, challenge, handler](Engine& engine) {
                            engine.askAboutTrust(id, challenge, handler);
                        });
                    },
                    transport::SteadyClock::now() + unansweredChallengeLimit);
                if (!answer) {
                    return transport::Failure{foundation::NSURLErrorCancelled, {}};
                }
                return transport::trustFailure(*answer, host, std::move(chain));
            };
            // Tells the main thread how far the body has come, in tenths.
            int reportedTenths = 0;
            auto progress = [&](std::int64_t received, std::int64_t expected) {
                if (expected <= 0) {
                    return;
                }
                int tenths = static_cast<int>(std::min<std::int64_t>(10, received * 10 / expected));
                if (tenths > reportedTenths) {
                    reportedTenths = tenths;
                    post(weak, [id, tenths](Engine& engine) { engine.onBodyProgress(id, tenths / 10.0); });
                }
            };
            HopResult result;
            result.failure = transport::exchange(*control, hop, decideTrust, result.response, progress);
            if (!result.failure) {
                foundation::HTTPURLResponse response(hop.url, static_cast<int>(result.response.status),
                                                     result.response.headers);
                bool redirect = transport::isRedirectStatus(result.response.status) && response.value("Location");
                if (!redirect && isHTML(response.mimeType())) {
                    // Parsed here, off the main thread.
                    const auto& body = result.response.body;
                    result.page = HTMLPage::parse(
                        std::string_view(reinterpret_cast<const char*>(body.data()), body.size()), hop.url);
                }
            }
            post(weak,
                 [id, result = std::move(result)](Engine& engine) mutable { engine.onHopDone(id, std::move(result)); });
        }).detach();
    }

    void askAboutTrust(std::uint64_t id, const foundation::URLAuthenticationChallenge& challenge,
                       const foundation::URLAuthenticationChallengeHandler& handler) {
        if (!isCurrent(id)) {
            return;
        }
        if (auto delegate = view.navigationDelegate()) {
            delegate->didReceiveAuthenticationChallenge(view, challenge, handler);
        } else {
            handler(foundation::URLSessionAuthChallengeDisposition::performDefaultHandling, std::nullopt);
        }
    }

    void onBodyProgress(std::uint64_t id, double fraction) {
        if (!isCurrent(id) || current->committed) {
            return;
        }
        double progress = progressStarted + (progressReceived - progressStarted) * fraction;
        if (progress > view.estimatedProgress_) {
            view.setEstimatedProgress(progress);
        }
    }

    void onHopDone(std::uint64_t id, HopResult result) {
        if (!isCurrent(id)) {
            return;
        }
        current->control.reset();
        if (result.failure) {
            failProvisional(id, foundation::makeURLError(result.failure->code, result.failure->description));
            return;
        }
        auto& parts = result.response;
        foundation::HTTPURLResponse response(current->request.url, static_cast<int>(parts.status), parts.headers);
        auto location = response.value("Location");
        if (transport::isRedirectStatus(parts.status) && location) {
            followRedirect(id, parts.status, *location);
            return;
        }
        current->response = response;
        current->page = std::move(result.page);
        WKNavigationResponse navigationResponse(response);
        auto weak = weakView;
        auto handler = [weak, id](WKNavigationResponsePolicy policy) {
            post(weak, [id, policy](Engine& engine) { engine.onResponsePolicy(id, policy); });
        };
        if (auto delegate = view.navigationDelegate()) {
            delegate->decidePolicyForNavigationResponse(view, navigationResponse, handler);
        } else {
            handler(WKNavigationResponsePolicy::allow);
        }
    }

    void followRedirect(std::uint64_t id, long status, const std::string& location) {
        auto& navigation = *current;
        if (++navigation.redirects > maximumRedirects) {
            failProvisional(id, foundation::makeURLError(foundation::NSURLErrorHTTPTooManyRedirects));
            return;
        }
        const auto& request = navigation.request;
        auto hop = transport::redirectHop(status, location, request.url, request.httpMethod, request.httpBody,
                                          request.allHTTPHeaderFields());
        if (!hop) {
            failProvisional(id, foundation::makeURLError(foundation::NSURLErrorBadServerResponse,
                                                         "The server redirected to a malformed URL."));
            return;
        }
        URLRequest next(hop->url, request.cachePolicy, request.timeoutInterval);
        next.httpMethod = hop->method;
        next.httpBody = hop->body;
        for (const auto& [name, value] : hop->headers) {
            next.addValue(value, name);
        }
        navigation.request = std::move(next);
        askActionPolicy(id);
    }

    void onResponsePolicy(std::uint64_t id, WKNavigationResponsePolicy policy) {
        if (!isCurrent(id)) {
            return;
        }
        if (policy == WKNavigationResponsePolicy::cancel) {
            failProvisional(id, frameLoadInterruptedError());
            return;
        }
        commit(id);
    }

    void commit(std::uint64_t id) {
        auto& navigation = *current;
        navigation.committed = true;
        const URL& url = navigation.request.url;
        std::string title = navigation.page ? navigation.page->title : std::string();
        auto& list = view.backForwardList_;
        bool moved = false;
        if (navigation.type == WKNavigationType::backForward) {
            moved = list.moveTo(navigation.targetItem);
        } else if (navigation.type == WKNavigationType::reload) {
            moved = navigation.targetItem && navigation.targetItem == list.currentItem();
        }
        if (moved) {
            list.updateCurrent(url, title);
        } else {
            list.push(std::make_shared<WKBackForwardListItem>(url, navigation.initialURL, title));
        }
        view.url_ = url;
        view.title_ = title;
        view.page_ = std::move(navigation.page);
        if (view.estimatedProgress_ < progressCommitted) {
            view.setEstimatedProgress(progressCommitted);
        }
        if (auto delegate = view.navigationDelegate()) {
            delegate->didCommitNavigation(view, navigation.navigation);
        }
        post([id](Engine& engine) { engine.finish(id); });
    }

    void finish(std::uint64_t id) {
        if (!isCurrent(id)) {
            return;
        }
        auto navigation = std::move(current->navigation);
        current.reset();
        view.setEstimatedProgress(1.0);
        if (auto delegate = view.navigationDelegate()) {
            delegate->didFinishNavigation(view, navigation);
        }
    }

    void failProvisional(std::uint64_t id, const foundation::Error& error) {
        Navigation navigation = std::move(*current);
        current.reset();
        if (navigation.control) {
            navigation.control->cancel();
        }
        view.setEstimatedProgress(1.0);
        if (auto delegate = view.navigationDelegate()) {
            delegate->didFailProvisionalNavigation(view, navigation.navigation, error);
        }
    }

    // A request for a new window is not a navigation of this view: the policy and then the UI
    // delegate decide, and the view's own navigation goes on.
    void requestNewWindow(WKNavigationAction action) {
        post([action = std::move(action)](Engine& engine) {
            auto weak = engine.weakView;
            auto handler = [weak, action](WKNavigationActionPolicy policy) {
                if (policy != WKNavigationActionPolicy::allow) {
                    return;
                }
                post(weak, [action](Engine& opener) { opener.openNewWindow(action); });
            };
            if (auto delegate = engine.view.navigationDelegate()) {
                delegate->decidePolicyForNavigationAction(engine.view, action, handler);
            } else {
                handler(WKNavigationActionPolicy::allow);
            }
        });
    }

    void openNewWindow(const WKNavigationAction& action) {
        auto delegate = view.uiDelegate();
        if (!delegate) {
            return;
        }
        auto opened = delegate->createWebViewWithConfiguration(view, view.configuration_, action, WKWindowFeatures{});
        if (opened && opened.get() != &view) {
            opened->load(action.request());
        }
    }
};

WKWebView::WKWebView(const uikit::CGRect& frame, WKWebViewConfiguration configuration)
    : UIView(frame), configuration_(std::move(configuration)), engine_(std::make_unique<Engine>(*this)) {
    if (!configuration_.websiteDataStore) {
        configuration_.websiteDataStore = WKWebsiteDataStore::defaultDataStore();
    }
}

WKWebView::~WKWebView() = default;

void WKWebView::didInit() {
    UIView::didInit();
    engine_->weakView = std::static_pointer_cast<WKWebView>(shared_from_this());
    scrollView_ = uikit::UIScrollView::make(bounds());
    scrollView_->setAutoresizingMask(uikit::UIViewAutoresizing::flexibleWidth |
                                     uikit::UIViewAutoresizing::flexibleHeight);
    addSubview(scrollView_);
}

bool WKWebView::isLoading() const { return engine_->current && engine_->current->started; }

std::optional<foundation::URL> WKWebView::url() const {
    const auto& current = engine_->current;
    if (current && current->started && !current->committed) {
        return current->request.url;
    }
    return url_;
}

void WKWebView::setEstimatedProgress(double progress) {
    if (progress == estimatedProgress_) {
        return;
    }
    double old = estimatedProgress_;
    estimatedProgress_ = progress;
    // A handler may add or end observations: it runs over a copy.
    auto observers = progressObservers_;
    for (const auto& observer : observers) {
        if (!observer->handler) {
            continue;
        }
        foundation::NSKeyValueObservedChange<double> change;
        if (contains(observer->options, foundation::NSKeyValueObservingOptions::new_)) {
            change.newValue = progress;
        }
        if (contains(observer->options, foundation::NSKeyValueObservingOptions::old)) {
            change.oldValue = old;
        }
        auto handler = observer->handler;
        handler(*this, change);
    }
}

std::shared_ptr<foundation::NSKeyValueObservation>
WKWebView::observeEstimatedProgress(foundation::NSKeyValueObservingOptions options, ProgressHandler handler) {
    std::erase_if(progressObservers_, [](const auto& observer) { return !observer->handler; });
    auto observer = std::make_shared<ProgressObserver>(ProgressObserver{options, std::move(handler)});
    progressObservers_.push_back(observer);
    if (contains(options, foundation::NSKeyValueObservingOptions::initial)) {
        foundation::NSKeyValueObservedChange<double> change;
        if (contains(options, foundation::NSKeyValueObservingOptions::new_)) {
            change.newValue = estimatedProgress_;
        }
        observer->handler(*this, change);
    }
    std::weak_ptr<ProgressObserver> weak = observer;
    return std::make_shared<foundation::NSKeyValueObservation>([weak] {
        if (auto ended = weak.lock()) {
            ended->handler = nullptr;
        }
    });
}

WKWebView::NavigationPointer WKWebView::load(const URLRequest& request) {
    return engine_->start(request, WKNavigationType::other);
}

WKWebView::NavigationPointer WKWebView::goBack() { return go(backForwardList_.backItem()); }

WKWebView::NavigationPointer WKWebView::go(const WKBackForwardList::Item& to) {
    if (!to) {
        return nullptr;
    }
    return engine_->start(URLRequest(to->url()), WKNavigationType::backForward, to);
}

WKWebView::NavigationPointer WKWebView::activateLink(const HTMLLink& link) {
    if (!link.url) {
        return nullptr;
    }
    URLRequest request(*link.url);
    if (link.opensNewWindow) {
        engine_->requestNewWindow(
            WKNavigationAction(request, WKNavigationType::linkActivated, std::nullopt, engine_->mainFrame()));
        return nullptr;
    }
    return engine_->start(std::move(request), WKNavigationType::linkActivated);
}

WKWebView::NavigationPointer WKWebView::submitForm(const HTMLForm& form,
                                                   const std::vector<std::pair<std::string, std::string>>& values) {
    auto action = form.action ? form.action : url_;
    if (!action) {
        return nullptr;
    }
    std::vector<std::pair<std::string, std::string>> fields;
    for (const auto& field : form.fields) {
        fields.emplace_back(field.name, field.value);
    }
    for (const auto& [name, value] : values) {
        auto found = std::find_if(fields.begin(), fields.end(),
                                  [&name = name](const auto& field) { return field.first == name; });
        if (found != fields.end()) {
            found->second = value;
        } else {
            fields.emplace_back(name, value);
        }
    }
    std::string encoded = formURLEncoded(fields);
    if (form.method == "POST") {
        URLRequest request(*action);
        request.httpMethod = "POST";
        request.httpBody = foundation::dataFromString(encoded);
        request.setValue("application/x-www-form-urlencoded", "Content-Type");
        return engine_->start(std::move(request), WKNavigationType::formSubmitted);
    }
    // A GET form replaces the action's query with its fields.
    std::string target = action->absoluteString();
    target = target.substr(0, target.find_first_of("?#")) + "?" + encoded;
    auto url = URL::string(target);
    if (!url) {
        return nullptr;
    }
    return engine_->start(URLRequest(*url), WKNavigationType::formSubmitted);
}

WKWebView::NavigationPointer WKWebView::navigateByScript(const URL& url) {
    return engine_->start(URLRequest(url), WKNavigationType::other);
}

} // namespace webkit
