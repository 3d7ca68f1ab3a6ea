#include "platform/foundation/FatalError.hpp"

#include <gtest/gtest.h>

TEST(FatalErrorDeathTest, WritesTheMessageAndAborts) {
    EXPECT_DEATH(foundation::fatalError("Unable to load image asset named spinner."),
                 "Unable to load image asset named spinner\\.");
}
