#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "text/Globals.h"

TEST(Globals, VersionIsSemantic) {
    const std::string v = quillet::ProgramVersion();
    EXPECT_EQ(std::count(v.begin(), v.end(), '.'), 2);
}
