#include "platform/uikit/layout/Constraint.hpp"

#include <atomic>
#include <functional>
#include <sstream>

namespace uikit::layout {

struct Constraint::Data {
    Expression expression;
    RelationalOperator relation = RelationalOperator::Equal;
    double priority = Strength::required;
    std::string name;
    std::uint64_t id = 0;
};

namespace {
std::uint64_t nextConstraintId() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}
} // namespace

const char* symbolOf(RelationalOperator relation) noexcept {
    switch (relation) {
    case RelationalOperator::LessOrEqual:
        return "<=";
    case RelationalOperator::GreaterOrEqual:
        return ">=";
    case RelationalOperator::Equal:
        break;
    }
    return "==";
}

Constraint::Constraint(Expression lhs, RelationalOperator relation, const Expression& rhs, double priority,
                       std::string name) {
    auto data = std::make_shared<Data>();
    lhs -= rhs;
    data->expression = std::move(lhs).simplified();
    data->relation = relation;
    data->priority = priority;
    data->name = std::move(name);
    data->id = nextConstraintId();
    data_ = std::move(data);
}

Constraint::Constraint(std::shared_ptr<const Data> data) : data_(std::move(data)) {}

const Expression& Constraint::expression() const noexcept { return data_->expression; }

RelationalOperator Constraint::relation() const noexcept { return data_->relation; }

double Constraint::priority() const noexcept { return data_->priority; }

const std::string& Constraint::name() const noexcept { return data_->name; }

std::string Constraint::description() const {
    std::ostringstream out;
    if (!data_->name.empty()) {
        out << data_->name << ": ";
    }
    out << data_->expression.description() << ' ' << symbolOf(data_->relation) << " 0 (priority " << data_->priority
        << ')';
    return out.str();
}

Constraint Constraint::withPriority(double priority) const {
    auto data = std::make_shared<Data>(*data_);
    data->priority = priority;
    data->id = nextConstraintId();
    return Constraint(std::move(data));
}

std::uint64_t Constraint::id() const noexcept { return data_->id; }

std::size_t Constraint::Hash::operator()(const Constraint& constraint) const noexcept {
    return std::hash<std::uint64_t>{}(constraint.id());
}

} // namespace uikit::layout
