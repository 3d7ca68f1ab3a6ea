// Scrambles catalogue values for the SDK bundle's table, so that nobody edits them by hand.
//
//   vyd-scramble KEY VALUE           prints the stored form of VALUE for the entry KEY
//   vyd-scramble --check KEY STORED  prints the plain text of STORED; exit status 1 when it does
//                                    not unscramble for KEY
//   vyd-scramble --strings           prints a complete Localizable.strings with every entry of
//                                    the catalogue and its compiled-in value
#include "sdk/VYDCore.hpp"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

int usage() {
    std::fprintf(stderr, "usage: vyd-scramble KEY VALUE\n"
                         "       vyd-scramble --check KEY STORED\n"
                         "       vyd-scramble --strings\n");
    return 2;
}

// The strings-table form of a value: quotes, backslashes and control characters escaped.
std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

int printStrings() {
    std::printf("/* The SDK's texts. Values of keys ending in \"-b64\" come from vyd-scramble; */\n"
                "/* regenerate this file with `vyd-scramble --strings`. */\n\n");
    for (const auto& entry : vyd::L10n::allEntries()) {
        std::printf("%s = %s;\n", quoted(entry.key).c_str(), quoted(entry.fallback).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc == 2 && first == "--strings") {
        return printStrings();
    }
    if (argc == 4 && first == "--check") {
        const std::string plain = vyd::unscramble(argv[3], argv[2]);
        if (plain.empty()) {
            std::fprintf(stderr, "vyd-scramble: the value does not unscramble for %s\n", argv[2]);
            return 1;
        }
        std::printf("%s\n", plain.c_str());
        return 0;
    }
    if (argc == 3 && !first.starts_with("--")) {
        std::printf("%s\n", vyd::scramble(argv[2], argv[1]).c_str());
        return 0;
    }
    return usage();
}
