#include "sdk/uikit/GradientView.hpp"

#include "platform/foundation/FatalError.hpp"

namespace vyd {

namespace {

std::vector<coregraphics::CGColor> cgColors(std::initializer_list<const uikit::UIColor*> colors) {
    std::vector<coregraphics::CGColor> result;
    for (const auto* color : colors) {
        result.push_back(color->cgColor());
    }
    return result;
}

} // namespace

GradientView::GradientView(const uikit::CGRect& frame) : UIView(frame, quartzcore::CAGradientLayer::make()) {}

std::shared_ptr<quartzcore::CAGradientLayer> GradientView::gradientLayer() const {
    auto gradient = std::dynamic_pointer_cast<quartzcore::CAGradientLayer>(layer());
    if (!gradient) {
        foundation::fatalError("layer is not a CAGradientLayer");
    }
    return gradient;
}

void GradientView::setStartColor(const uikit::UIColor& color) {
    startColor_ = color;
    updateColors();
}

void GradientView::setEndColor(const uikit::UIColor& color) {
    endColor_ = color;
    updateColors();
}

void GradientView::setStartLocation(double location) {
    startLocation_ = location;
    updateLocations();
}

void GradientView::setEndLocation(double location) {
    endLocation_ = location;
    updateLocations();
}

void GradientView::setHorizontalMode(bool horizontalMode) {
    horizontalMode_ = horizontalMode;
    updatePoints();
}

void GradientView::setDiagonalMode(bool diagonalMode) {
    diagonalMode_ = diagonalMode;
    updatePoints();
}

void GradientView::updatePoints() {
    const auto gradient = gradientLayer();
    if (horizontalMode_) {
        gradient->setStartPoint(diagonalMode_ ? uikit::CGPoint{1, 0} : uikit::CGPoint{0, 0.5});
        gradient->setEndPoint(diagonalMode_ ? uikit::CGPoint{0, 1} : uikit::CGPoint{1, 0.5});
    } else {
        gradient->setStartPoint(diagonalMode_ ? uikit::CGPoint{0, 0} : uikit::CGPoint{0.5, 0});
        gradient->setEndPoint(diagonalMode_ ? uikit::CGPoint{1, 1} : uikit::CGPoint{0.5, 1});
    }
}

void GradientView::layoutSubviews() {
    UIView::layoutSubviews();
    updatePoints();
    updateLocations();
    updateColors();
}

void TwoGradientView::updateLocations() {
    gradientLayer()->setLocations(std::vector<double>{startLocation(), endLocation()});
}

void TwoGradientView::updateColors() { gradientLayer()->setColors(cgColors({&startColor(), &endColor()})); }

void ThreeGradientView::setMidColor(const uikit::UIColor& color) {
    midColor_ = color;
    updateColors();
}

void ThreeGradientView::setMidLocation(double location) {
    midLocation_ = location;
    updateLocations();
}

void ThreeGradientView::updateLocations() {
    gradientLayer()->setLocations(std::vector<double>{startLocation(), midLocation_, endLocation()});
}

void ThreeGradientView::updateColors() {
    gradientLayer()->setColors(cgColors({&startColor(), &midColor_, &endColor()}));
}

} // namespace vyd
