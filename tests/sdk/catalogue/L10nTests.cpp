#include "sdk/base/NotificationNames.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace L10n = vyd::L10n;
using vydtest::expectInFreshProcess;
using vydtest::TemporaryBundle;

namespace {

// Collects mismatches inside a fresh process, where gtest assertions cannot report.
class Checks {
public:
    template <class A, class B>
    void equal(const A& actual, const B& expected, const char* what) {
        if (!(actual == expected)) {
            out_ << what << ": got [" << actual << "], expected [" << expected << "]\n";
        }
    }
    void that(bool condition, const char* what) {
        if (!condition) {
            out_ << what << "\n";
        }
    }
    std::string failures() const { return out_.str(); }

private:
    std::ostringstream out_;
};

std::string entry(const std::string& key, const std::string& value) { return "\"" + key + "\" = \"" + value + "\";\n"; }

void useBundle(const std::string& path) { ::setenv("VYD_BUNDLE_PATH", path.c_str(), 1); }

} // namespace

TEST(L10nFormatTest, ReplacesPlaceholdersInOrderAndByPosition) {
    const std::vector<std::string_view> two{"VY ID", "Shop"};
    const std::tuple<const char*, std::vector<std::string_view>, const char*> cases[] = {
        {" Login as %@", {"Ivan"}, " Login as Ivan"},
        {"%2$@ before %1$@", two, "Shop before VY ID"},
        {"100%% sure, %@", {"VY ID"}, "100% sure, VY ID"},
        {"%@ and %@ and %@", {"a"}, "a and  and "}, // missing arguments become empty
        {"%d %s %5$@ %0$@ end %", {"x"}, "%d %s  %0$@ end %"},
        {"%@%@", {"%@", "%%"}, "%@%%"}, // arguments are not formatted again
    };
    for (const auto& [format, arguments, expected] : cases) {
        EXPECT_EQ(L10n::format(format, arguments), expected) << format;
    }
}

TEST(L10nTest, TableValuesWinAndMissingKeysFallBack) {
    TemporaryBundle bundle;
    bundle.writeVersion("2.3.0");
    bundle.writeStrings("/* test table */\n" + entry("ui.common.done", "Ready") +
                        entry("ui.login-button.login-as-value", "Hello, %@!") +
                        entry("logs.not-white-list-value", "%2$@ does not list %1$@") +
                        entry("ui.common.vy-id-b64", vyd::scramble("VY ID Pro", "ui.common.vy-id-b64")) +
                        entry("ui.login-button.vy-id-b64", "VY ID") + // put in by hand, not scrambled
                        entry("common.kw-b64", vyd::scramble("VY Bank", "common.none")) + // another key's value
                        entry("notifications.name.auth-native-result", "CustomAuthResult"));
    useBundle(bundle.path().string());
    expectInFreshProcess([] {
        Checks check;
        check.equal(L10n::Ui::Common::done(), "Ready", "plain from table");
        check.equal(L10n::Ui::LoginButton::loginAsValue("Ivan"), "Hello, Ivan!", "formatted from table");
        check.equal(L10n::Logs::notWhiteListValue("evil.example", "[vy.example]"),
                    "[vy.example] does not list evil.example", "positional from table");
        check.equal(L10n::Ui::Common::vyIdB64(), "VY ID Pro", "scrambled from table");
        check.equal(L10n::Ui::LoginButton::vyIdB64(), "", "plain text where a scrambled value belongs");
        check.equal(L10n::Common::kwB64(), "", "value scrambled for another key");
        check.equal(L10n::Events::show(), "show", "missing key falls back");
        check.equal(L10n::Ui::LoginButton::fillWithVyIdB64(), "Fill in with VY ID", "missing scrambled key");
        check.equal(vyd::NotificationNames::authNativeResult(), "CustomAuthResult", "notification name");
        check.equal(vyd::NotificationNames::userIdDidChanged(), "userIdDidChange", "notification fallback");
        check.equal(vyd::curentSdkVersion(), "2.3.0", "version");
        // The bundle is made once per process: a later change of the path changes no text.
        useBundle("/no-such-bundle");
        check.that(&L10n::Ui::Common::done() == &L10n::Ui::Common::done(), "plain entry is one object per process");
        check.equal(L10n::Ui::Common::done(), "Ready", "plain after the change");
        check.equal(L10n::Ui::LoginButton::loginAsValue("b"), "Hello, b!", "formatted after the change");
        return check.failures();
    });
}

TEST(L10nTest, WithoutAUsableTableEveryEntryFallsBack) {
    TemporaryBundle noTable;
    TemporaryBundle malformed;
    malformed.writeStrings(entry("ui.common.done", "Ready") + "\"ui.web.try-again\" = \"unterminated;\n");
    malformed.writeFile("Info.json", "[\"not an object\"]");
    for (const auto& path : {noTable.path(), malformed.path(), malformed.path() / "no-such-folder"}) {
        SCOPED_TRACE(path);
        useBundle(path.string());
        expectInFreshProcess([] {
            Checks check;
            check.equal(L10n::Ui::Common::done(), "Done", "plain");
            check.equal(L10n::Network::Common::https(), "https", "plain scheme");
            check.equal(L10n::Ui::AuthChoose::itIsSafeToOpenValues("VY ID", "Shop"),
                        "This is a secure way to log in with a VY ID:\nShop will not get access to your application, "
                        "there will be no autoscaling either",
                        "two arguments");
            // Scrambled fallbacks are our own texts.
            check.equal(L10n::Ui::LoginButton::loginWithVyIdB64(), "Log in with VY ID", "scrambled");
            check.equal(L10n::Ui::KwAppList::inWhichYouAuthorizedB64(), "in which you are signed in to VY Bank",
                        "scrambled");
            check.equal(vyd::curentSdkVersion(), "", "no version");
            return check.failures();
        });
    }
}
