#include "sdk/core/FatalError.hpp"

#include <gtest/gtest.h>

TEST(FatalErrorDeathTest, WritesTheMessageAndAborts) {
    EXPECT_DEATH(vyd::fatalError("Unable to load image asset named spinner."),
                 "Unable to load image asset named spinner\\.");
}
