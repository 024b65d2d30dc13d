// The re-entry flag: raised inside its scope, and back to its value from before however the scope
// ends, so that an inner guard leaves an outer one's flag raised.
#include "base/FlagGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(FlagGuard, RaisedInsideItsScopeAndPutBackAsItWasOnReturnOrThrow) {
    bool busy = false;
    {
        const FlagGuard outer(busy);
        EXPECT_TRUE(busy);
        {
            const FlagGuard inner(busy);
            EXPECT_TRUE(busy);
        }
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);
    EXPECT_THROW(
        {
            const FlagGuard guard(busy);
            throw std::runtime_error("left early");
        },
        std::runtime_error);
    EXPECT_FALSE(busy);
}

} // namespace
