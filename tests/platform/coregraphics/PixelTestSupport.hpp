#pragma once

#include "platform/coregraphics/CGImage.hpp"

#include <gtest/gtest.h>

// Each channel within `tolerance` of the expected one.
inline void expectNear(coregraphics::CGRGBA actual, coregraphics::CGRGBA expected, int tolerance = 1) {
    EXPECT_NEAR(actual.red, expected.red, tolerance);
    EXPECT_NEAR(actual.green, expected.green, tolerance);
    EXPECT_NEAR(actual.blue, expected.blue, tolerance);
    EXPECT_NEAR(actual.alpha, expected.alpha, tolerance);
}
