#pragma once

// What the choice flow's tests share: an authorization service, analytics and a delegate that
// write what they are asked into one log, and VY Bank app entries.

#include "platform/foundation/Dispatch.hpp"
#include "sdk/screens/choice/KwAppListViewModel.hpp"
#include "sdk/services/AnalyticsEventParamKey.hpp"
#include "sdk/services/AnalyticsParamsMaker.hpp"
#include "sdk/services/StaticStorageService.hpp"

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace choicetests {

class Log {
public:
    void add(std::string entry) {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry) + (foundation::isMainThread() ? "" : " (off main)"));
    }
    std::vector<std::string> entries() const {
        std::lock_guard lock(mutex_);
        return entries_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> entries_;
};

// Answers every attempt with `opens`, on the main queue, as the real service does. Attempts come
// from a worker thread that may outlive the test's fixture, so the service shares the log.
class FakeAuthService : public vyd::AuthServiceInternalProtocol {
public:
    FakeAuthService(std::shared_ptr<Log> log, bool opens) : log_(std::move(log)), opens_(opens) {}
    void authenticateUserByDeeplink(const std::string& deeplink, const vyd::VYDAuthRequest& request,
                                    Completion completion) override {
        finish("deeplink " + deeplink + " " + request.state, std::move(completion));
    }
    void authenticateUserByDefaultURL(const vyd::VYDAuthRequest& request, Completion completion) override {
        finish("web " + request.state, std::move(completion));
    }
    void authenticateUserPriorityApp2AppNoVCScenarios(const vyd::VYDAuthRequest& request,
                                                      Completion completion) override {
        finish("app2app " + request.state, std::move(completion));
    }

private:
    void finish(std::string entry, Completion completion) {
        log_->add(std::move(entry));
        foundation::DispatchQueue::main().async(
            [completion = std::move(completion), opens = opens_] { completion(opens); });
    }
    std::shared_ptr<Log> log_;
    bool opens_;
};

// Logs each event by a short name and the app or the authorization type it names.
class FakeAnalytics : public vyd::AnalyticsServiceProtocol {
public:
    explicit FakeAnalytics(Log& log) : log_(log) {}
    void sendEvent(vyd::AnalyticsEventAction action, const vyd::AnalyticsParams& params) override {
        using A = vyd::AnalyticsEventAction;
        const std::map<A, std::string> names = {
            {A::clickSheetChoice, "click"},        {A::cancelSheetChoice, "cancel"},
            {A::vyIDAuthPopupShow, "show"},        {A::vyIDAuthPopupClose, "close"},
            {A::vyIDAuthPopupClickKw, "click-kw"}, {A::vyIDAuthPopupClickWeb, "click-web"}};
        std::string entry = names.count(action) ? names.at(action) : "other";
        for (const auto key : {vyd::AnalyticsEventParamKey::kwType, vyd::AnalyticsEventParamKey::authType}) {
            if (params.count(vyd::rawValue(key))) {
                entry += " " + params.at(vyd::rawValue(key));
            }
        }
        log_.add(entry);
    }
    void refreshUserLoginId(const std::optional<std::string>&) override {}

private:
    Log& log_;
};

// The SDK's own parameters, over a session store of their own.
inline std::shared_ptr<vyd::AnalyticsParamsMaker> paramsMaker() {
    return std::make_shared<vyd::AnalyticsParamsMaker>(std::make_shared<vyd::StaticStorageService>(nullptr), nullptr,
                                                       [] { return std::string("2.3.0"); });
}

class RecordingDelegate : public vyd::KwsAppListDelegate {
public:
    explicit RecordingDelegate(Log& log) : log_(log) {}
    void appWasOpened(bool wasOpened) override { log_.add(wasOpened ? "opened" : "not opened"); }

private:
    Log& log_;
};

inline vyd::KWAppInfo stableApp(std::string name) {
    return vyd::KWAppInfo({}, std::move(name), vyd::KWAppInfo::Stable{"vybank://"});
}
inline vyd::KWAppInfo dynamicApp(std::string name) {
    return vyd::KWAppInfo({}, std::move(name), vyd::KWAppInfo::Unstable{{"vybankbeta", "vybanknext"}});
}

inline vyd::VYDAuthRequest request() { return {"", "s1", "", "", {}, {}, {}, {}}; } // of state "s1" only

// A model over the fakes, its dismiss signals going into the same log.
struct Fixture {
    explicit Fixture(std::vector<vyd::KWAppInfo> apps, bool opens = true)
        : auth(std::make_shared<FakeAuthService>(sharedLog, opens)), delegate(std::make_shared<RecordingDelegate>(log)),
          model(vyd::KwAppListViewModel::make(request(), std::move(apps), auth, std::make_shared<FakeAnalytics>(log),
                                              paramsMaker(), delegate)),
          dismissals(model->dismissSubject().sink([this] { log.add("dismiss"); })) {}

    std::shared_ptr<Log> sharedLog = std::make_shared<Log>();
    Log& log = *sharedLog;
    std::shared_ptr<FakeAuthService> auth;
    std::shared_ptr<RecordingDelegate> delegate;
    std::shared_ptr<vyd::KwAppListViewModel> model;
    combine::AnyCancellable dismissals;
};

} // namespace choicetests
