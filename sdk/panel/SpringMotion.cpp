#include "sdk/panel/SpringMotion.hpp"

#include <algorithm>
#include <cmath>

namespace vyd {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double frame = 1.0 / 60.0;
// Ratios this close to 1 use the critically damped form, whose other forms divide by ~0.
constexpr double criticalBand = 1e-6;

double finiteOr(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

} // namespace

SpringMotion::SpringMotion(double displacement, double velocity, SpringParameters parameters) {
    const SpringParameters defaults;
    const double response =
        std::isfinite(parameters.response) && parameters.response > 0.01 ? parameters.response : defaults.response;
    const double ratio = std::isfinite(parameters.dampingRatio) && parameters.dampingRatio > 0.05
                             ? std::min(parameters.dampingRatio, 20.0)
                             : defaults.dampingRatio;
    const double limit = std::isfinite(parameters.maximumVelocity) && parameters.maximumVelocity >= 0
                             ? parameters.maximumVelocity
                             : defaults.maximumVelocity;
    displacement_ = finiteOr(displacement, 0);
    velocity_ = std::clamp(finiteOr(velocity, 0), -limit, limit);
    omega_ = 2 * pi / response;
    zeta_ = ratio;
    prepare();
}

void SpringMotion::prepare() {
    const double d = displacement_;
    const double v = velocity_;
    const double w = omega_;
    if (std::fabs(zeta_ - 1) < criticalBand) {
        regime_ = Regime::critical;
        a_ = d;
        b_ = v + w * d;
    } else if (zeta_ < 1) {
        regime_ = Regime::under;
        rate1_ = w * std::sqrt(1 - zeta_ * zeta_);
        a_ = d;
        b_ = (v + zeta_ * w * d) / rate1_;
    } else {
        regime_ = Regime::over;
        const double root = std::sqrt(zeta_ * zeta_ - 1);
        rate1_ = -w * (zeta_ - root);
        rate2_ = -w * (zeta_ + root);
        b_ = (v - rate1_ * d) / (rate2_ - rate1_);
        a_ = d - b_;
    }
}

// critical: (a + b t) e^(-w t); under: e^(-zeta w t) (a cos(r1 t) + b sin(r1 t));
// over: a e^(r1 t) + b e^(r2 t).
double SpringMotion::offset(double time) const {
    const double t = std::max(0.0, finiteOr(time, 0));
    switch (regime_) {
    case Regime::critical:
        return (a_ + b_ * t) * std::exp(-omega_ * t);
    case Regime::under:
        return std::exp(-zeta_ * omega_ * t) * (a_ * std::cos(rate1_ * t) + b_ * std::sin(rate1_ * t));
    case Regime::over:
        break;
    }
    return a_ * std::exp(rate1_ * t) + b_ * std::exp(rate2_ * t);
}

double SpringMotion::velocity(double time) const {
    const double t = std::max(0.0, finiteOr(time, 0));
    switch (regime_) {
    case Regime::critical:
        return (b_ - omega_ * (a_ + b_ * t)) * std::exp(-omega_ * t);
    case Regime::under: {
        const double c = std::cos(rate1_ * t);
        const double s = std::sin(rate1_ * t);
        return std::exp(-zeta_ * omega_ * t) * (-zeta_ * omega_ * (a_ * c + b_ * s) + rate1_ * (b_ * c - a_ * s));
    }
    case Regime::over:
        break;
    }
    return a_ * rate1_ * std::exp(rate1_ * t) + b_ * rate2_ * std::exp(rate2_ * t);
}

double SpringMotion::envelope(double time) const {
    const double t = std::max(0.0, time);
    switch (regime_) {
    case Regime::critical:
        // Rises while the initial push lasts, then falls: settlingTime() scans it whole.
        return (std::fabs(a_) + std::fabs(b_) * t) * std::exp(-omega_ * t);
    case Regime::under:
        return std::hypot(a_, b_) * std::exp(-zeta_ * omega_ * t);
    case Regime::over:
        break;
    }
    return std::fabs(a_) * std::exp(rate1_ * t) + std::fabs(b_) * std::exp(rate2_ * t);
}

double SpringMotion::settlingTime(double tolerance, double maximumDuration) const {
    const double tol = std::isfinite(tolerance) && tolerance > 0 ? tolerance : 0.1;
    const double cap = std::isfinite(maximumDuration) && maximumDuration > 0 ? maximumDuration : 5.0;
    const auto frames = static_cast<long>(std::ceil(cap / frame));
    // The last frame at which the spring may still be out of tolerance; settled one frame later.
    long lastOutside = -1;
    for (long n = 0; n <= frames; ++n) {
        if (envelope(static_cast<double>(n) * frame) >= tol) {
            lastOutside = n;
        }
    }
    return std::min(cap, static_cast<double>(lastOutside + 1) * frame);
}

} // namespace vyd
