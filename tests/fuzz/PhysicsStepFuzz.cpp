// Turns arbitrary bytes into a physics scene (shapes, masks, masses, resolve
// flags, velocities, accelerations and sizes, some huge, zero or not finite),
// steps it a few times with the fast and with the reference stepper, changing
// it between steps, and stops the run at the first difference between them:
// positions, velocities, contacts (penetrations included) and the order of
// the collision messages must agree bit for bit, any NaN counting as one.
//
// Input layout: one header byte (step count, kind of frame time), then records
// until the input runs out: bodies, then changes and frame times per step.

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "DifferentialScene.h"

namespace {

// Reads the input front to back; past its end every value is zero. (Plain
// code rather than the fuzzer's own reader, so that the corpus also replays
// in builds without the fuzzer.)
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::size_t Left() const { return size_ - at_; }
    template <class T>
    T Next() {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value = (value << 8) | (at_ < size_ ? data_[at_++] : 0u);
        }
        return static_cast<T>(value);
    }
    // A value in [low, high] taking as few bytes as the range needs.
    template <class T>
    T InRange(T low, T high) {
        const std::uint64_t span = static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low);
        const std::uint64_t raw = span < 256     ? Next<std::uint8_t>()
                                  : span < 65536 ? Next<std::uint16_t>()
                                                 : Next<std::uint32_t>();
        return static_cast<T>(static_cast<std::uint64_t>(low) + raw % (span + 1));
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Every body may overlap every other: the reference stepper then costs
// about bodies^4 per step, which these bounds keep to milliseconds.
constexpr std::size_t kMaxBodies = 16;
constexpr std::size_t kMaxObjects = 24;
constexpr int kMaxSteps = 4;

float ReadFloat(Bytes& in, float low, float high) {
    static constexpr float kOdd[] = {0.0f,
                                     -0.0f,
                                     1.0f,
                                     -1.0f,
                                     1e-40f,
                                     1e15f,
                                     -1e16f,
                                     1e30f,
                                     std::numeric_limits<float>::max(),
                                     std::numeric_limits<float>::infinity(),
                                     -std::numeric_limits<float>::infinity(),
                                     std::numeric_limits<float>::quiet_NaN()};
    switch (in.InRange<int>(0, 7)) {
    case 0: return kOdd[in.InRange<std::size_t>(0, std::size(kOdd) - 1)];
    case 1: return std::bit_cast<float>(in.Next<std::uint32_t>());
    default:
        // Mostly ordinary values, so that bodies meet and contacts chain.
        return low + (high - low) * static_cast<float>(in.Next<std::uint16_t>()) / 65535.0f;
    }
}

Vec2 ReadVec2(Bytes& in, float low, float high) {
    const float x = ReadFloat(in, low, high);
    return {x, ReadFloat(in, low, high)};
}

BodyPlan ReadBody(Bytes& in) {
    BodyPlan plan;
    const std::uint8_t flags = in.Next<std::uint8_t>();
    plan.kind = (flags & 1) != 0 ? ShapeCircle : ShapeRect;
    plan.resolve = (flags & 2) == 0;
    static constexpr std::int32_t kLayers[] = {1, 1, 3, 2, 4, 5, -1, 0};
    plan.layers = kLayers[(flags >> 2) & 7];
    plan.mass = (flags & 32) != 0 ? 0.0f : ReadFloat(in, 0.1f, 5.0f);
    plan.position = ReadVec2(in, 0.0f, 120.0f);
    plan.size = ReadVec2(in, 0.0f, 20.0f);
    plan.velocity = (flags & 64) != 0 ? ReadVec2(in, -300.0f, 300.0f) : Vec2{};
    plan.acceleration = (flags & 128) != 0 ? ReadVec2(in, -200.0f, 200.0f) : Vec2{};
    plan.restitution = ReadFloat(in, -0.5f, 1.0f);
    plan.drag = ReadFloat(in, 0.0f, 0.1f);
    return plan;
}

// One change applied alike to both scenes between steps.
void Change(Bytes& in, DifferentialScene& reference, DifferentialScene& fast) {
    using W = PhysicsWorld;
    const int action = in.InRange<int>(0, 6);
    const std::size_t count = reference.world.objects.size();
    const std::size_t pick = in.Next<std::uint8_t>();
    if (count == 0) {
        return;
    }
    GameObject& r = *reference.world.objects[pick % count];
    GameObject& f = *fast.world.objects[pick % count];
    switch (action) {
    case 0:
        reference.world.Remove(r);
        fast.world.Remove(f);
        break;
    case 1: {
        const float factor = ReadFloat(in, 0.0f, 2.0f);
        W::BodyOf(r).collisionSize *= factor;
        W::BodyOf(f).collisionSize *= factor;
        break;
    }
    case 2: {
        const Vec2 to = ReadVec2(in, 0.0f, 120.0f);
        W::BodyOf(r).position = to;
        W::BodyOf(f).position = to;
        break;
    }
    case 3: {
        const Vec2 to = ReadVec2(in, 0.0f, 120.0f);
        W::PositionOf(r).position = to;
        W::PositionOf(f).position = to;
        break;
    }
    case 4: {
        const std::int32_t layers = in.InRange<std::int32_t>(-1, 7);
        W::BodyOf(r).collisionLayers = layers;
        W::BodyOf(f).collisionLayers = layers;
        break;
    }
    case 5: {
        const Vec2 force = ReadVec2(in, -5000.0f, 5000.0f);
        W::BodyOf(r).AddForce(force);
        W::BodyOf(f).AddForce(force);
        break;
    }
    default:
        r.Destroy();
        f.Destroy();
        break;
    }
}

// Bits of a float with every NaN made one: the sign and payload of a NaN
// follow operand order, which the compiler may swap in either stepper (a
// clang build gave the two steppers NaN penetrations of opposite signs).
std::uint32_t Same(std::uint32_t bits) {
    return (bits & 0x7f800000u) == 0x7f800000u && (bits & 0x007fffffu) != 0 ? 0x7fc00000u : bits;
}
std::uint32_t Same(float v) { return Same(Bits(v)); }

bool SameContacts(const std::vector<ContactRecord>& r, const std::vector<ContactRecord>& f) {
    if (r.size() != f.size()) {
        return false;
    }
    for (std::size_t i = 0; i < r.size(); ++i) {
        const ContactRecord& a = r[i];
        const ContactRecord& b = f[i];
        if (a.a != b.a || a.b != b.b || Same(a.nx) != Same(b.nx) || Same(a.ny) != Same(b.ny) ||
            Same(a.penetration) != Same(b.penetration) || Same(a.separatingVelocity) != Same(b.separatingVelocity) ||
            Same(a.restitution) != Same(b.restitution)) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void Diverged(const char* what, int step, std::int32_t id) {
    std::fprintf(stderr, "physics steppers diverge: %s at step %d (object %d)\n", what, step, id);
    std::abort();
}

void Compare(DifferentialScene& reference, DifferentialScene& fast, int step) {
    if (reference.world.log != fast.world.log) {
        Diverged("collision messages", step, 0);
    }
    if (!SameContacts(reference.contacts, fast.contacts)) {
        for (const auto* scene : {&reference, &fast}) {
            std::fprintf(stderr, "%s:\n", scene == &reference ? "reference" : "fast");
            for (const ContactRecord& c : scene->contacts) {
                std::fprintf(stderr, "  %d-%d normal %08x %08x penetration %08x separating %08x restitution %08x\n",
                             c.a, c.b, c.nx, c.ny, c.penetration, c.separatingVelocity, c.restitution);
            }
        }
        Diverged("contacts", step, 0);
    }
    const auto& rb = reference.world.physics->bodies;
    const auto& fb = fast.world.physics->bodies;
    if (rb.count != fb.count) {
        Diverged("body count", step, 0);
    }
    for (const Body *r = rb.head, *f = fb.head; r != nullptr; r = r->bodyNext, f = f->bodyNext) {
        const std::int32_t id = r->owner->id;
        if (f == nullptr || f->owner->id != id) {
            Diverged("body order", step, id);
        }
        if (Same(r->position.x) != Same(f->position.x) || Same(r->position.y) != Same(f->position.y) ||
            Same(r->transform->position.x) != Same(f->transform->position.x) ||
            Same(r->transform->position.y) != Same(f->transform->position.y)) {
            Diverged("position", step, id);
        }
        if (Same(r->velocity.x) != Same(f->velocity.x) || Same(r->velocity.y) != Same(f->velocity.y)) {
            Diverged("velocity", step, id);
        }
        if (r->resolve != f->resolve || Same(r->collisionSize.x) != Same(f->collisionSize.x) ||
            Same(r->collisionSize.y) != Same(f->collisionSize.y)) {
            Diverged("body state", step, id);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const std::uint8_t header = in.Next<std::uint8_t>();
    const int steps = 1 + header % kMaxSteps;
    DifferentialScene reference(PhysicsStepper::Reference);
    DifferentialScene fast(PhysicsStepper::Fast);
    reference.spawnLimit = kMaxObjects;
    fast.spawnLimit = kMaxObjects;
    // Bodies first; a zero tag ends them and starts the changes and steps.
    while (in.Left() > 0 && reference.world.objects.size() < kMaxBodies) {
        if (in.Next<std::uint8_t>() == 0) {
            break;
        }
        const BodyPlan plan = ReadBody(in);
        reference.Add(plan);
        fast.Add(plan);
    }
    for (int step = 0; step < steps; ++step) {
        const int changes = in.InRange<int>(0, 3);
        for (int i = 0; i < changes; ++i) {
            Change(in, reference, fast);
        }
        const float dt =
            (header & 0x80) != 0 ? ReadFloat(in, 0.0f, 0.04f) : static_cast<float>(in.InRange<int>(0, 40)) / 1000.0f;
        reference.Step(dt);
        fast.Step(dt);
        Compare(reference, fast, step);
    }
    return 0;
}
