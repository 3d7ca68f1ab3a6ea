#include "platform/foundation/Bundle.hpp"

#include "platform/foundation/StringsTable.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace foundation {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return buffer.str();
}

// A resource name stays inside the bundle: no separators, no "." or "..".
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

std::string fileName(const std::string& name, const std::string& suffix, const std::string& type) {
    return type.empty() ? name + suffix : name + suffix + "." + type;
}

} // namespace

Bundle::Bundle(std::string path) : path_(std::move(path)) {}

std::shared_ptr<Bundle> Bundle::make(const std::string& path) {
    std::error_code ec;
    if (path.empty() || !fs::is_directory(path, ec))
        return nullptr;
    return std::shared_ptr<Bundle>(new Bundle(path));
}

std::optional<std::string> Bundle::infoString(const std::string& key) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!infoLoaded_) {
        infoLoaded_ = true;
        if (auto text = readFile((fs::path(path_) / "Info.json").string())) {
            auto json = nlohmann::json::parse(*text, nullptr, /*allow_exceptions=*/false);
            if (json.is_object()) {
                for (auto it = json.begin(); it != json.end(); ++it)
                    if (it.value().is_string())
                        info_[it.key()] = it.value().get<std::string>();
            }
        }
    }
    auto it = info_.find(key);
    if (it == info_.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string> Bundle::shortVersion() const { return infoString("CFBundleShortVersionString"); }

const Bundle::Table& Bundle::table(const std::string& name) const {
    // Called with mutex_ held; a table is parsed once and its entry never changes afterwards.
    auto it = tables_.find(name);
    if (it != tables_.end())
        return it->second;
    Table parsed;
    if (isPlainFileName(name)) {
        if (auto text = readFile((fs::path(path_) / (name + ".strings")).string()))
            parsed = parseStringsTable(*text);
    }
    return tables_.emplace(name, std::move(parsed)).first->second;
}

std::string Bundle::localizedString(const std::string& key, const std::string& value,
                                    const std::string& tableName) const {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const Table& entries = table(tableName.empty() ? "Localizable" : tableName);
        if (entries) {
            auto it = entries->find(key);
            if (it != entries->end())
                return it->second;
        }
    }
    return value.empty() ? key : value;
}

std::optional<std::string> Bundle::existingFile(const std::string& file) const {
    std::error_code ec;
    fs::path candidate = fs::path(path_) / file;
    if (fs::is_regular_file(candidate, ec))
        return candidate.string();
    return std::nullopt;
}

std::optional<std::string> Bundle::pathForResource(const std::string& name, const std::string& type) const {
    if (!isPlainFileName(name) || (!type.empty() && !isPlainFileName(type)))
        return std::nullopt;
    for (const char* suffix : {"", "@2x", "@3x"})
        if (auto found = existingFile(fileName(name, suffix, type)))
            return found;
    return std::nullopt;
}

std::optional<Bundle::ImageResource> Bundle::imageResource(const std::string& name, const std::string& type,
                                                           int preferredScale) const {
    if (!isPlainFileName(name) || (!type.empty() && !isPlainFileName(type)))
        return std::nullopt;
    std::vector<int> order;
    for (int s = preferredScale; s <= 3; ++s)
        if (s >= 1)
            order.push_back(s);
    for (int s = std::min(preferredScale - 1, 3); s >= 1; --s)
        order.push_back(s);
    for (int scale : order) {
        std::string suffix = scale == 1 ? "" : "@" + std::to_string(scale) + "x";
        if (auto found = existingFile(fileName(name, suffix, type)))
            return ImageResource{*found, static_cast<double>(scale)};
    }
    return std::nullopt;
}

} // namespace foundation
