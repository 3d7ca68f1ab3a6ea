// A page is whatever the server sends: parsing it must never crash, and what it keeps must be
// usable as it is (every form with a method a submission can use, no unnamed field).
#include "platform/webkit/HTMLPage.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto base = *foundation::URL::string("https://bank.example/auth/login?step=1");
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto page = webkit::HTMLPage::parse(input, base);
    for (const auto& form : page.forms) {
        if (form.method != "GET" && form.method != "POST") {
            std::abort();
        }
        for (const auto& field : form.fields) {
            if (field.name.empty()) {
                std::abort(); // an unnamed field would be sent as "=value"
            }
        }
    }
    return 0;
}
