// The re-entry flag: raised in its scope, then back to its value from before however the scope ends.
#include "base/FlagGuard.h"

#include <gtest/gtest.h>

namespace {

TEST(FlagGuard, RaisedInItsScopeAndPutBackAsItWasOnReturnOrThrow) {
    bool busy = false;
    {
        const FlagGuard outer(busy);
        { const FlagGuard inner(busy); }
        EXPECT_TRUE(busy); // the inner guard found it raised and left it so
    }
    EXPECT_FALSE(busy);
    try {
        const FlagGuard guard(busy);
        throw 1;
    } catch (int) {
    }
    EXPECT_FALSE(busy);
}

} // namespace
