#include "platform/uikit/layout/Variable.hpp"

#include <atomic>
#include <functional>

namespace uikit::layout {

namespace {
std::uint64_t nextVariableId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
} // namespace

Variable::Variable(std::string name) : data_(std::make_shared<Data>()) {
    data_->name = std::move(name);
    data_->id = nextVariableId();
}

std::string Variable::displayName() const {
    if (!data_->name.empty()) {
        return data_->name;
    }
    std::string shown("v");
    shown += std::to_string(data_->id);
    return shown;
}

std::size_t Variable::Hash::operator()(const Variable& variable) const noexcept {
    return std::hash<std::uint64_t>{}(variable.id());
}

} // namespace uikit::layout
