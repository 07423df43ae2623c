#include <gtest/gtest.h>

#include <memory>

#include "physics/Circle.h"
#include "physics/Position.h"
#include "physics/Rect.h"

namespace {

// A shape linked to its own centre and size, as a body links it.
template <class S>
struct Placed {
    Placed(Vec2 centre, Vec2 extent) : size(extent) {
        position.position = centre;
        shape.transform = &position;
        shape.extent = &size;
    }
    Position position;
    Vec2 size;
    S shape;
};

using PlacedRect = Placed<Rect>;
using PlacedCircle = Placed<Circle>;

struct Hit {
    bool touching = false;
    Vec2 normal{99.0f, 99.0f};
    float penetration = -99.0f;
};

Hit Collide(const Shape& self, const Shape& other) {
    Hit hit;
    hit.touching = self.Collide(other, hit.normal, hit.penetration);
    return hit;
}

void ExpectHit(const Hit& hit, Vec2 normal, float penetration) {
    ASSERT_TRUE(hit.touching);
    EXPECT_FLOAT_EQ(hit.normal.x, normal.x);
    EXPECT_FLOAT_EQ(hit.normal.y, normal.y);
    EXPECT_FLOAT_EQ(hit.penetration, penetration);
}

}  // namespace

TEST(RectRect, SeparatesAlongTheAxisOfSmallerOverlap) {
    PlacedRect left({0, 0}, {10, 10});
    PlacedRect right({15, 0}, {10, 10});
    ExpectHit(Collide(left.shape, right.shape), {-1, 0}, 5);
    ExpectHit(Collide(right.shape, left.shape), {1, 0}, 5);

    PlacedRect top({0, 0}, {10, 10});
    PlacedRect bottom({2, 17}, {10, 10});
    ExpectHit(Collide(top.shape, bottom.shape), {0, -1}, 3);
    ExpectHit(Collide(bottom.shape, top.shape), {0, 1}, 3);
}

TEST(RectRect, EqualOverlapsAndCoincidentCentresChooseYAndThePositiveNormal) {
    PlacedRect a({0, 0}, {10, 10});
    PlacedRect b({5, 5}, {10, 10});
    ExpectHit(Collide(a.shape, b.shape), {0, -1}, 15);
    ExpectHit(Collide(b.shape, a.shape), {0, 1}, 15);

    PlacedRect c({0, 0}, {10, 10});
    ExpectHit(Collide(a.shape, c.shape), {0, 1}, 20);
    // Coincident x only, x the smaller overlap: positive x normal.
    PlacedRect tall({0, 0}, {2, 50});
    ExpectHit(Collide(tall.shape, c.shape), {1, 0}, 12);
}

TEST(RectRect, EdgesThatJustMeetTouchAtZeroDepth) {
    PlacedRect a({0, 0}, {10, 10});
    PlacedRect b({20, 5}, {10, 10});
    ExpectHit(Collide(a.shape, b.shape), {-1, 0}, 0);
    PlacedRect corner({20, 20}, {10, 10});
    EXPECT_TRUE(Collide(a.shape, corner.shape).touching);
    PlacedRect apart({20.5f, 0}, {10, 10});
    EXPECT_FALSE(Collide(a.shape, apart.shape).touching);
    PlacedRect below({0, 20.5f}, {10, 10});
    EXPECT_FALSE(Collide(a.shape, below.shape).touching);
}

TEST(RectCircle, NormalPointsAwayFromTheOtherShapeOnBothSides) {
    PlacedRect rect({0, 0}, {10, 10});
    PlacedCircle circle({12, 0}, {5, 0});
    ExpectHit(Collide(rect.shape, circle.shape), {-1, 0}, 3);
    ExpectHit(Collide(circle.shape, rect.shape), {1, 0}, 3);

    // Near a corner the normal is diagonal; distance 5 equals the radius.
    PlacedCircle corner({13, 14}, {5, 123});
    ExpectHit(Collide(rect.shape, corner.shape), {-0.6f, -0.8f}, 0);
    ExpectHit(Collide(corner.shape, rect.shape), {0.6f, 0.8f}, 0);

    PlacedCircle apart({13, 14.01f}, {5, 0});
    EXPECT_FALSE(Collide(rect.shape, apart.shape).touching);
    EXPECT_FALSE(Collide(apart.shape, rect.shape).touching);
}

TEST(RectCircle, CentreInsideTheRectangleLeavesAlongTheShorterWay) {
    PlacedRect rect({0, 0}, {10, 4});
    PlacedCircle circle({3, 0}, {2, 0});
    ExpectHit(Collide(rect.shape, circle.shape), {0, -1}, 6);
    ExpectHit(Collide(circle.shape, rect.shape), {0, 1}, 6);

    PlacedRect square({0, 0}, {10, 10});
    PlacedCircle nearLeft({-8, 1}, {2, 0});
    ExpectHit(Collide(square.shape, nearLeft.shape), {1, 0}, 4);
    PlacedCircle nearTop({1, -8}, {2, 0});
    ExpectHit(Collide(square.shape, nearTop.shape), {0, 1}, 4);
    // A centre exactly on the border still takes the inside branch.
    PlacedCircle onBorder({10, 0}, {2, 0});
    ExpectHit(Collide(square.shape, onBorder.shape), {-1, 0}, 2);
}

TEST(CircleCircle, NormalDepthAndTheCoincidentCase) {
    PlacedCircle a({0, 0}, {3, 0});
    PlacedCircle b({4, 3}, {7, 0});
    ExpectHit(Collide(a.shape, b.shape), {-0.8f, -0.6f}, 5);
    ExpectHit(Collide(b.shape, a.shape), {0.8f, 0.6f}, 5);

    // Same centre: the radius of this circle alone, not the sum.
    PlacedCircle same({0, 0}, {7, 0});
    ExpectHit(Collide(a.shape, same.shape), {1, 0}, 3);
    ExpectHit(Collide(same.shape, a.shape), {1, 0}, 7);
}

TEST(CircleCircle, TouchingAtExactlyTheSumOfTheRadii) {
    PlacedCircle a({0, 0}, {1, 0});
    PlacedCircle b({2, 0}, {1, 0});
    ExpectHit(Collide(a.shape, b.shape), {-1, 0}, 0);
    PlacedCircle apart({2.001f, 0}, {1, 0});
    EXPECT_FALSE(Collide(a.shape, apart.shape).touching);
}

TEST(ShapeSafety, UnknownKindsAndUnlinkedShapesNeverCollide) {
    PlacedRect rect({0, 0}, {10, 10});
    PlacedCircle circle({0, 0}, {10, 0});
    PlacedRect odd({0, 0}, {10, 10});
    odd.shape.kind = static_cast<ShapeKind>(7);
    EXPECT_FALSE(Collide(rect.shape, odd.shape).touching);
    EXPECT_FALSE(Collide(circle.shape, odd.shape).touching);

    Rect unlinkedRect;
    Circle unlinkedCircle;
    EXPECT_FALSE(Collide(rect.shape, unlinkedRect).touching);
    EXPECT_FALSE(Collide(unlinkedRect, rect.shape).touching);
    EXPECT_FALSE(Collide(unlinkedCircle, circle.shape).touching);
    EXPECT_FALSE(Collide(circle.shape, unlinkedCircle).touching);
    EXPECT_FALSE(unlinkedRect.ContainsPoint({0, 0}));
    EXPECT_FALSE(unlinkedCircle.ContainsPoint({0, 0}));
    unlinkedRect.DebugDraw();
    unlinkedCircle.DebugDraw();
}

TEST(ContainsPoint, BordersAreOutside) {
    PlacedRect rect({0, 0}, {10, 10});
    EXPECT_TRUE(rect.shape.ContainsPoint({9.9f, 0}));
    EXPECT_TRUE(rect.shape.ContainsPoint({-9.9f, 9.9f}));
    EXPECT_FALSE(rect.shape.ContainsPoint({10, 0}));
    EXPECT_FALSE(rect.shape.ContainsPoint({0, -10}));
    EXPECT_FALSE(rect.shape.ContainsPoint({10.1f, 0}));

    PlacedCircle circle({1, 1}, {5, 0});
    EXPECT_TRUE(circle.shape.ContainsPoint({1, 1}));
    EXPECT_TRUE(circle.shape.ContainsPoint({5.9f, 1}));
    EXPECT_FALSE(circle.shape.ContainsPoint({6, 1}));
    EXPECT_FALSE(circle.shape.ContainsPoint({4, 5}));  // distance exactly 5
    EXPECT_FALSE(circle.shape.ContainsPoint({6, 6}));
}

TEST(ContainsPoint, ReadsTheLinkedCentreAndSizeAtEveryCall) {
    PlacedRect rect({0, 0}, {10, 10});
    EXPECT_FALSE(rect.shape.ContainsPoint({50, 0}));
    rect.position.position = {45, 0};
    EXPECT_TRUE(rect.shape.ContainsPoint({50, 0}));
    rect.size = {4, 4};
    EXPECT_FALSE(rect.shape.ContainsPoint({50, 0}));
}
