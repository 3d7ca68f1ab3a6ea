#pragma once

// An animation of one property of a layer from one value to another.

#include "platform/coregraphics/CGAffineTransform.hpp"
#include "platform/coregraphics/CGColor.hpp"
#include "platform/quartzcore/CAAnimation.hpp"

#include <variant>
#include <vector>

namespace quartzcore {

// The values a layer property can take; std::monostate stands for no value.
using CAAnimationValue = std::variant<std::monostate, double, coregraphics::CGPoint, coregraphics::CGSize,
                                      coregraphics::CGRect, coregraphics::CGAffineTransform, coregraphics::CGColor,
                                      std::vector<double>, std::vector<coregraphics::CGColor>>;

class CABasicAnimation : public CAPropertyAnimation {
public:
    static std::shared_ptr<CABasicAnimation> make(std::string keyPath = {}) {
        return std::shared_ptr<CABasicAnimation>(new CABasicAnimation(std::move(keyPath)));
    }
    std::shared_ptr<CAAnimation> copy() const override {
        return std::shared_ptr<CAAnimation>(new CABasicAnimation(*this));
    }

    CAAnimationValue fromValue;
    CAAnimationValue toValue;
    CAAnimationValue byValue;

protected:
    explicit CABasicAnimation(std::string path) : CAPropertyAnimation(std::move(path)) {}
    CABasicAnimation(const CABasicAnimation&) = default;
};

} // namespace quartzcore
