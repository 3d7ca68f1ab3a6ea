#include "platform/coregraphics/CGColorSpace.hpp"

namespace coregraphics {

const CGColorSpace& CGColorSpace::sRGB() {
    static const CGColorSpace space(CGColorSpaceModel::rgb, "kCGColorSpaceSRGB");
    return space;
}

const CGColorSpace& CGColorSpace::extendedSRGB() {
    static const CGColorSpace space(CGColorSpaceModel::rgb, "kCGColorSpaceExtendedSRGB");
    return space;
}

const CGColorSpace& CGColorSpace::genericGrayGamma2_2() {
    static const CGColorSpace space(CGColorSpaceModel::monochrome, "kCGColorSpaceGenericGrayGamma2_2");
    return space;
}

const CGColorSpace& CGColorSpace::extendedGray() {
    static const CGColorSpace space(CGColorSpaceModel::monochrome, "kCGColorSpaceExtendedGray");
    return space;
}

} // namespace coregraphics
