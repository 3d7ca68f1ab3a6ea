#pragma once
#include "sdk/services/AppTokenServiceProtocol.hpp"

#include <functional>
#include <optional>

namespace vydtest {

// Keeps the token in memory; the single-sign-on address is answered by the test, through
// `pendingSSO`, whenever it likes.
class FakeAppTokenService : public vyd::AppTokenServiceProtocol {
public:
    std::optional<vyd::AppTokenDataModel> token;
    int deletions = 0;
    std::function<void(vyd::SSOResult)> pendingSSO;

    void saveAppToken(const std::string& value) override { token = vyd::AppTokenDataModel{value, {}}; }
    std::optional<vyd::AppTokenDataModel> appToken() const override { return token; }
    void deleteAppToken() override {
        ++deletions;
        token.reset();
    }
    void reloginSSOELKLite(std::function<void(vyd::SSOResult)> completion) override {
        pendingSSO = std::move(completion);
    }
};

} // namespace vydtest
