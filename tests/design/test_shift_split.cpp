// Division of a search row's shift between the two gears.
#include <gtest/gtest.h>

#include <cmath>

#include "design/shift_split.h"

TEST(ShiftSplit, PairProposalFollowsTheUndercutLimits) {
  struct Case {
    double sum, xmin1, xmin2, x1;
  };
  const Case cases[] = {
      {0.6, 0.4, -0.8, 0.4},    // gear 1 gets just enough, gear 2 the rest
      {0.2, -0.5, 0.3, -0.1},   // gear 2 gets just enough, gear 1 the rest
      {0.2, 0.3, 0.3, 0.1},     // cannot satisfy both: even split
      {0.5, -0.2, -0.2, 0.25},  // both fine: even split
      {0.0, 0.1, -0.3, 0.1},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ProposePairShiftX1(c.sum, c.xmin1, c.xmin2), c.x1, 1e-15)
        << c.sum << " " << c.xmin1 << " " << c.xmin2;
  }
}

TEST(ShiftSplit, InternalPinionNeverGetsANegativeShift) {
  EXPECT_EQ(ProposeInternalShiftX1(-0.9), 0.0);
  EXPECT_EQ(ProposeInternalShiftX1(0.0), 0.0);
  EXPECT_EQ(ProposeInternalShiftX1(0.25), 0.25);
  // A pressure angle typed as "Infinity" gives no minimum shift (NaN): the
  // field must get a number, not "NaN".
  EXPECT_EQ(ProposeInternalShiftX1(std::nan("")), 0.0);
}
