#include "sdk/base/NotificationNames.hpp"
#include "sdk/catalogue/L10n.hpp"
#include "sdk/catalogue/Scrambling.hpp"
#include "sdk/catalogue/SdkBundle.hpp"

#include "support/sdk/TemporaryBundle.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace L10n = vyd::L10n;
using vydtest::expectInFreshProcess;
using vydtest::TemporaryBundle;

namespace {

// Collects mismatches inside a fresh process, where gtest assertions cannot report.
void check(std::string& failures, std::string_view actual, std::string_view expected, const char* what) {
    if (actual != expected) {
        failures +=
            std::string(what) + ": got [" + std::string(actual) + "], expected [" + std::string(expected) + "]\n";
    }
}

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
        std::string failures;
        check(failures, L10n::Ui::Common::done(), "Ready", "plain from table");
        check(failures, L10n::Ui::LoginButton::loginAsValue("Ivan"), "Hello, Ivan!", "formatted from table");
        check(failures, L10n::Logs::notWhiteListValue("evil.example", "[vy.example]"),
              "[vy.example] does not list evil.example", "positional from table");
        check(failures, L10n::Ui::Common::vyIdB64(), "VY ID Pro", "scrambled from table");
        check(failures, L10n::Ui::LoginButton::vyIdB64(), "", "plain text where a scrambled value belongs");
        check(failures, L10n::Common::kwB64(), "", "value scrambled for another key");
        check(failures, L10n::Events::show(), "show", "missing key falls back");
        check(failures, L10n::Ui::LoginButton::fillWithVyIdB64(), "Fill in with VY ID", "missing scrambled key");
        check(failures, vyd::NotificationNames::authNativeResult(), "CustomAuthResult", "notification name");
        check(failures, vyd::NotificationNames::userIdDidChanged(), "userIdDidChange", "notification fallback");
        check(failures, vyd::curentSdkVersion(), "2.3.0", "version");
        // The bundle is made once per process: a later change of the path changes no text.
        useBundle("/no-such-bundle");
        check(failures, &L10n::Ui::Common::done() == &L10n::Ui::Common::done() ? "one" : "two", "one",
              "plain entry is one object per process");
        check(failures, L10n::Ui::Common::done(), "Ready", "plain after the change");
        check(failures, L10n::Ui::LoginButton::loginAsValue("b"), "Hello, b!", "formatted after the change");
        return failures;
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
            std::string failures;
            check(failures, L10n::Ui::Common::done(), "Done", "plain");
            check(failures, L10n::Network::Common::https(), "https", "plain scheme");
            check(failures, L10n::Ui::AuthChoose::itIsSafeToOpenValues("VY ID", "Shop"),
                  "This is a secure way to log in with a VY ID:\nShop will not get access to your application, "
                  "there will be no autoscaling either",
                  "two arguments");
            // Scrambled fallbacks are our own texts.
            check(failures, L10n::Ui::LoginButton::loginWithVyIdB64(), "Log in with VY ID", "scrambled");
            check(failures, L10n::Ui::KwAppList::inWhichYouAuthorizedB64(), "in which you are signed in to VY Bank",
                  "scrambled");
            check(failures, vyd::curentSdkVersion(), "", "no version");
            return failures;
        });
    }
}
