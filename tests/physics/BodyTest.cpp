#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "harness/PhysicsWorld.h"
#include "objects/DataReader.h"
#include "physics/Circle.h"
#include "physics/Rect.h"

namespace {

template <class C>
void Read(C& component, const std::string& text) {
    std::istringstream stream(text);
    DataReader in(stream);
    component.Serialize(in);
}

// An object built like the factory builds one: components read, then added,
// then initialized.
struct Built {
    explicit Built(const std::string& bodyData, const std::string* positionData = nullptr) {
        object.id = 1;
        body = new Body();
        Read(*body, bodyData);
        object.AddComponent(std::unique_ptr<Component>(body));
        if (positionData != nullptr) {
            position = new Position();
            Read(*position, *positionData);
            object.AddComponent(std::unique_ptr<Component>(position));
        }
    }
    GameObject object;
    Body* body = nullptr;
    Position* position = nullptr;
};

}  // namespace

TEST(PositionData, DefaultsAndKeys) {
    Position defaults;
    EXPECT_EQ(defaults.position, Vec2(0, 0));
    EXPECT_EQ(defaults.depth, 5.0f);
    EXPECT_EQ(defaults.rotation, 0.0f);
    EXPECT_EQ(defaults.size, Vec2(1, 1));

    Position sized;
    Read(sized, "Vec2 size 16 16 end");
    EXPECT_EQ(sized.size, Vec2(16, 16));
    EXPECT_EQ(sized.position, Vec2(0, 0));
    EXPECT_EQ(sized.depth, 5.0f);
    EXPECT_EQ(sized.rotation, 0.0f);

    Position all;
    Read(all, "float rotation 1.5 Vec2 position 100 200 float depth 2 Vec2 size 3 4 end");
    EXPECT_EQ(all.rotation, 1.5f);
    EXPECT_EQ(all.depth, 2.0f);
    EXPECT_EQ(all.position, Vec2(100, 200));
    EXPECT_EQ(all.size, Vec2(3, 4));
}

TEST(BodyData, Defaults) {
    Body body;
    EXPECT_EQ(body.position, Vec2(0, 0));
    EXPECT_EQ(body.velocity, Vec2(0, 0));
    EXPECT_EQ(body.acceleration, Vec2(0, 0));
    EXPECT_EQ(body.mass, 0.0f);
    EXPECT_EQ(body.inverseMass, 0.0f);
    EXPECT_EQ(body.drag, 0.01f);
    EXPECT_EQ(body.restitution, 0.9f);
    EXPECT_EQ(body.accumulatedForce, Vec2(0, 0));
    EXPECT_EQ(body.transform, nullptr);
    EXPECT_EQ(body.shape, nullptr);
    EXPECT_EQ(body.collisionLayers, 0);
    EXPECT_EQ(body.collisionSize, Vec2(0, 0));
    EXPECT_TRUE(body.resolve);
    EXPECT_EQ(body.bodyNext, nullptr);
    EXPECT_EQ(body.bodyPrev, nullptr);
    EXPECT_EQ(body.typeName, "Body");
}

TEST(BodyData, EveryKeyAndTheLaterOfTwoEntries) {
    Body body;
    Read(body, "Vec2 velocity 1 2 Vec2 acceleration 3 4 Vec2 collisionSize 5 6 float mass 1 float restitution 0.5 "
               "float drag 0.25 Shape Circle end int collisionLayers 6 bool resolve false float mass 2 end");
    EXPECT_EQ(body.velocity, Vec2(1, 2));
    EXPECT_EQ(body.acceleration, Vec2(3, 4));
    EXPECT_EQ(body.collisionSize, Vec2(5, 6));
    EXPECT_EQ(body.mass, 2.0f);
    EXPECT_EQ(body.restitution, 0.5f);
    EXPECT_EQ(body.drag, 0.25f);
    ASSERT_NE(body.shape, nullptr);
    EXPECT_EQ(body.shape->kind, ShapeCircle);
    EXPECT_EQ(body.collisionLayers, 6);
    EXPECT_FALSE(body.resolve);
}

TEST(BodyData, UnknownEntriesAreSkippedTokenByToken) {
    Body body;
    Read(body, "float weight 7 Vec2 mass 3 float mass 4 end float drag 0.5 end");
    EXPECT_EQ(body.mass, 4.0f);
    EXPECT_EQ(body.drag, 0.01f);  // after the block's end: not read
}

TEST(BodyData, ALaterShapeReplacesTheEarlierOne) {
    Body body;
    Read(body, "Shape Rect end Shape Circle end end");
    ASSERT_NE(body.shape, nullptr);
    EXPECT_EQ(body.shape->kind, ShapeCircle);
    EXPECT_NE(dynamic_cast<Circle*>(body.shape.get()), nullptr);
}

TEST(BodyData, AnUnknownShapeKindLeavesNoShapeAndReadsOnWithTheBodyKeys) {
    Body body;
    Read(body, "Shape Rect end Shape Triangle float mass 2 int collisionLayers 1 end");
    EXPECT_EQ(body.shape, nullptr);
    EXPECT_EQ(body.mass, 2.0f);
    EXPECT_EQ(body.collisionLayers, 1);
}

TEST(BodyInitialize, CollisionSizeFromThePositionOnlyWhenBothAreZero) {
    const std::string position = "Vec2 size 20 30 Vec2 position 7 8 end";
    Built unset("Shape Rect end end", &position);
    unset.object.Initialize();
    EXPECT_EQ(unset.body->collisionSize, Vec2(20, 30));
    EXPECT_EQ(unset.body->position, Vec2(7, 8));
    EXPECT_EQ(unset.body->transform, unset.position);
    EXPECT_EQ(unset.body->shape->transform, unset.position);
    EXPECT_EQ(unset.body->shape->extent, &unset.body->collisionSize);

    Built yOnly("Vec2 collisionSize 0 5 end", &position);
    yOnly.object.Initialize();
    EXPECT_EQ(yOnly.body->collisionSize, Vec2(0, 5));
    Built xOnly("Vec2 collisionSize 5 0 end", &position);
    xOnly.object.Initialize();
    EXPECT_EQ(xOnly.body->collisionSize, Vec2(5, 0));
}

TEST(BodyInitialize, InverseMass) {
    Built immovable("end");
    immovable.object.Initialize();
    EXPECT_EQ(immovable.body->mass, 0.0f);
    EXPECT_EQ(immovable.body->inverseMass, 0.0f);
    Built heavy("float mass 4 end");
    heavy.object.Initialize();
    EXPECT_EQ(heavy.body->inverseMass, 0.25f);
    Built light("float mass 0.1 end");
    light.object.Initialize();
    EXPECT_EQ(light.body->inverseMass, 1.0f / 0.1f);
}

TEST(BodyRegistration, BodiesJoinInInitializeOrderAndLeaveOnDestruction) {
    PhysicsWorld world;
    GameObject& a = world.Add({});
    GameObject& b = world.Add({});
    GameObject& c = world.Add({});
    auto& bodies = world.physics->bodies;
    ASSERT_EQ(bodies.count, 3);
    EXPECT_EQ(bodies.head, &PhysicsWorld::BodyOf(a));
    EXPECT_EQ(bodies.tail, &PhysicsWorld::BodyOf(c));
    world.Remove(b);
    ASSERT_EQ(bodies.count, 2);
    EXPECT_EQ(bodies.head->bodyNext, &PhysicsWorld::BodyOf(c));
    EXPECT_EQ(bodies.tail->bodyPrev, &PhysicsWorld::BodyOf(a));
}

TEST(BodyRegistration, DestroyingANeverInitializedBodyLeavesTheListAlone) {
    PhysicsWorld world;
    GameObject& a = world.Add({});
    GameObject& b = world.Add({});
    {
        Built loose("Shape Rect end float mass 1 end");
        EXPECT_FALSE(loose.body->IsRegistered());
    }
    auto& bodies = world.physics->bodies;
    EXPECT_EQ(bodies.count, 2);
    EXPECT_EQ(bodies.head, &PhysicsWorld::BodyOf(a));
    EXPECT_EQ(bodies.tail, &PhysicsWorld::BodyOf(b));
    EXPECT_EQ(bodies.head->bodyNext, bodies.tail);
    EXPECT_EQ(bodies.tail->bodyPrev, bodies.head);
}

TEST(BodyRegistration, IncompleteBodiesStayOutOfDetectionAndWriteBack) {
    PhysicsWorld world;
    GameObject& solid = world.Add(BodyPlan{});

    // No Position: simulated but neither tested nor written anywhere.
    Built floating("Shape Rect end Vec2 collisionSize 10 10 float mass 1 int collisionLayers 1 "
                   "Vec2 velocity 60 0 end");
    world.Activate();
    floating.object.Initialize();
    ASSERT_TRUE(floating.body->IsRegistered());

    // A Position but no shape: moves and is written back, never tested.
    const std::string at = "Vec2 position 0 0 end";
    Built shapeless("float mass 1 int collisionLayers 1 Vec2 velocity 60 0 float drag 0 end", &at);
    world.Activate();
    shapeless.object.Initialize();

    world.Step(0.5f);
    world.Step(0.5f);
    EXPECT_TRUE(world.log.empty());
    EXPECT_GT(floating.body->position.x, 0.0f);
    EXPECT_EQ(shapeless.body->position, Vec2(60, 0));
    EXPECT_EQ(shapeless.position->position, Vec2(60, 0));
    EXPECT_EQ(PhysicsWorld::PositionOf(solid).position, Vec2(0, 0));

    // The test objects die before the world: they leave its list.
    world.Activate();
}
