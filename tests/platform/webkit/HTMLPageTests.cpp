#include "platform/webkit/HTMLPage.hpp"

#include <gtest/gtest.h>

using namespace webkit;
using foundation::URL;

namespace {

const URL base = *URL::string("https://bank.example/auth/login?step=1");

} // namespace

TEST(HTMLPage, KeepsTitleLinksAndFormsResolvedAgainstThePage) {
    auto page = HTMLPage::parse(R"(<!doctype html><title>  VY ID
        sign in </title>
        <a href="/help">Help &amp; <b>support</b></a>
        <a href="next" target="_BLANK">Open</a>
        <a href="vybank://open">App</a>
        <a name="anchor">not a link</a>
        <form action="/auth/submit" method="POST">
          <input name="phone" value="+7 900"><input type="password" name="pin">
          <input type="checkbox" name="remember" checked><input type="radio" name="mode" value="sms">
          <input name="off" value="x" disabled><input type="submit" name="go" value="Go">
          <select name="lang"><option value="en">English<option selected>Russian</select>
          <textarea name="note">a
b</textarea>
        </form>
        <form><input name="q"></form>)",
                                base);

    EXPECT_EQ(page.title, "VY ID sign in");
    std::vector<std::tuple<std::string, std::string, bool>> links;
    for (const auto& link : page.links) {
        links.emplace_back(link.text, link.url.value().absoluteString(), link.opensNewWindow);
    }
    EXPECT_EQ(links, (decltype(links){{"Help & support", "https://bank.example/help", false},
                                      {"Open", "https://bank.example/auth/next", true},
                                      {"App", "vybank://open", false}}));

    ASSERT_EQ(page.forms.size(), 2u);
    EXPECT_EQ(page.forms[0].method, "POST");
    EXPECT_EQ(page.forms[0].action->absoluteString(), "https://bank.example/auth/submit");
    std::vector<std::pair<std::string, std::string>> fields;
    for (const auto& field : page.forms[0].fields) {
        fields.emplace_back(field.name, field.value);
    }
    EXPECT_EQ(fields,
              (std::vector<std::pair<std::string, std::string>>{
                  {"phone", "+7 900"}, {"pin", ""}, {"remember", "on"}, {"lang", "Russian"}, {"note", "a\nb"}}));
    EXPECT_EQ(page.forms[1].method, "GET");
    EXPECT_EQ(page.forms[1].action, base);
}

TEST(HTMLPage, BaseElementMovesWhereLinksLead) {
    auto page = HTMLPage::parse("<base href='https://cdn.example/x/'><a href='y'>Y</a>", base);
    ASSERT_EQ(page.links.size(), 1u);
    EXPECT_EQ(page.links[0].url->absoluteString(), "https://cdn.example/x/y");
}

// Broken, deeply nested and binary input parses without a crash; links that do not resolve
// keep their text and no URL.
TEST(HTMLPage, BrokenAndHostileInputParses) {
    std::string deep;
    for (int i = 0; i < 20000; ++i) {
        deep += "<div><span>";
    }
    deep += "<a href='/deep'>deep</a>";
    const std::string cases[] = {
        "",
        "<a href='http://[::1'>bad</a><form action='http://[x'>",
        "<title>unclosed <a href=",
        std::string("\0\xff\xfe<a href=x>\x80</a>", 18),
        deep,
    };
    for (const auto& html : cases) {
        auto page = HTMLPage::parse(html, base);
        for (const auto& link : page.links) {
            EXPECT_TRUE(link.url || link.text == "bad") << link.href;
        }
    }
    EXPECT_EQ(HTMLPage::parse(deep, base).links.size(), 1u);
}
