#include <gtest/gtest.h>

#include <cmath>

#include "core/Matrix.h"
#include "core/Vec2.h"

TEST(Math, NormalizeGivesUnitVectorAndZeroForZero) {
    const Vec2 n = Vec2Normalize({3.0f, 4.0f});
    EXPECT_FLOAT_EQ(n.x, 0.6f);
    EXPECT_FLOAT_EQ(n.y, 0.8f);
    EXPECT_EQ(Vec2Normalize({0.0f, 0.0f}), Vec2(0.0f, 0.0f));
}

TEST(Math, OrthoLHMapsNearAndFarToZeroAndOne) {
    const Matrix p = OrthoLH(1280.0f, 1024.0f, 1.0f, 10.0f);
    const Vec4 nearCorner = TransformPoint(p, 640.0f, 512.0f, 1.0f);
    EXPECT_FLOAT_EQ(nearCorner.x, 1.0f);
    EXPECT_FLOAT_EQ(nearCorner.y, 1.0f);
    EXPECT_FLOAT_EQ(nearCorner.z, 0.0f);
    EXPECT_FLOAT_EQ(TransformPoint(p, 0.0f, 0.0f, 10.0f).z, 1.0f);
}

TEST(Math, RowVectorCompositionAppliesLeftFirst) {
    // Scale then translate: (1, 0) -> (2, 0) -> (12, 5).
    const Matrix m = Multiply(Scaling(2.0f, 2.0f, 1.0f), Translation(10.0f, 5.0f, 0.0f));
    const Vec4 p = TransformPoint(m, 1.0f, 0.0f, 0.0f);
    EXPECT_FLOAT_EQ(p.x, 12.0f);
    EXPECT_FLOAT_EQ(p.y, 5.0f);
}

TEST(Math, PositiveRotationTurnsCounterClockwiseInYUpSpace) {
    const Vec4 p = TransformPoint(RotationZ(3.14159265f / 2.0f), 1.0f, 0.0f, 0.0f);
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(p.y, 1.0f, 1e-6f);
}
