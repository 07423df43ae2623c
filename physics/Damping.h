#pragma once

// What one physics step does to a body's velocity v when a constant
// acceleration a acts on it: v' = v × keep + a × push.
//
// Drag is tuned as the fraction of the velocity that one step of 1/60 s
// removes, the rate the data was made for. A step of dt seconds keeps
// kept^(60 dt) of the velocity, and `push` integrates the acceleration over
// the step exactly, so that a body pushed for a second reaches the same speed
// and nearly the same place at any frame rate, and a step of exactly 1/60 s is
// the old per-step rule: v' = (v + a / 60) × (1 − drag). A step of no time
// changes nothing.
struct Damping {
    float keep = 1.0f;
    float push = 0.0f;

    // `kept`: the fraction of the velocity a 1/60 s step keeps, all the
    // drags on the body together; `pushKept`: the part of that which the
    // body's own drag keeps, and with it of a 1/60 s step's push.
    static Damping For(float kept, float pushKept, float dt);
};

// Damping::For, remembered for the few drag values that the bodies of one
// step share (most bodies of a kind share theirs), so that a step costs a
// power per distinct drag rather than per body.
class DampingCache {
public:
    explicit DampingCache(float dt) : dt_(dt) {}

    // Inline for the common case, a body with the drag of the one before.
    const Damping& For(float kept, float pushKept) {
        if (last_ != nullptr && last_->kept == kept && last_->pushKept == pushKept) {
            return last_->damping;
        }
        return Find(kept, pushKept);
    }

private:
    struct Entry {
        float kept;
        float pushKept;
        Damping damping;
    };
    static constexpr int kSize = 8;

    const Damping& Find(float kept, float pushKept);

    float dt_;
    const Entry* last_ = nullptr;
    Entry entries_[kSize] = {};
    int size_ = 0;
    int next_ = 0;
};
