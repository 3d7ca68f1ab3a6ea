#pragma once

// The colour spaces that colours of this platform live in. Only the grey and RGB models exist
// here; the name tells the variants of a model apart (the extended spaces used by UIKit colours
// allow components outside 0...1).

#include <string>

namespace coregraphics {

enum class CGColorSpaceModel : int { unknown = -1, monochrome = 0, rgb = 1 };

class CGColorSpace {
public:
    static const CGColorSpace& sRGB();
    static const CGColorSpace& extendedSRGB();
    static const CGColorSpace& genericGrayGamma2_2();
    static const CGColorSpace& extendedGray();

    // Spaces exist once per process, so that colours can refer to them.
    CGColorSpace(const CGColorSpace&) = delete;
    CGColorSpace& operator=(const CGColorSpace&) = delete;

    CGColorSpaceModel model() const { return model_; }
    const std::string& name() const { return name_; }
    // Colour components without alpha: 1 for grey, 3 for RGB.
    int numberOfComponents() const { return model_ == CGColorSpaceModel::rgb ? 3 : 1; }

    friend bool operator==(const CGColorSpace& a, const CGColorSpace& b) { return a.name_ == b.name_; }

private:
    CGColorSpace(CGColorSpaceModel model, std::string name) : model_(model), name_(std::move(name)) {}

    CGColorSpaceModel model_;
    std::string name_;
};

} // namespace coregraphics
