#include "DeathLedger.h"

#include <limits>
#include <memory>

#include "DeathWitness.h"
#include "components/Hazards.h"
#include "components/IDAnnouncer.h"
#include "components/Projectiles.h"
#include "harness/Scene.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

namespace {
bool Counted(const GameObject& object) {
    auto* announcer = object.Get<IDAnnouncer>();
    return announcer != nullptr && !announcer->player;
}

bool IsProjectile(const GameObject& object) {
    return object.Get<Snowball>() != nullptr || object.Get<Fireball>() != nullptr;
}
}  // namespace

void DeathLedger::Watch() {
    for (const auto& [id, object] : gFactory->objects) {
        seen_.insert(id);
        if (object->Get<Hole>() != nullptr) {
            levelHoles_.insert(id);
        }
        if (Counted(*object)) {
            counted_.insert(id);
            if (object->Get<Killable>() != nullptr) {
                object->AddComponent(std::make_unique<DeathWitness>(*this));
            }
        }
    }
}

bool DeathLedger::ThrownByPlayer(const GameObject& projectile) {
    // A new projectile starts next to whoever threw it.
    const GameObject* thrower = nullptr;
    float nearest = std::numeric_limits<float>::max();
    for (GameObject* candidate : scene::WithComponent("ObjectThrower")) {
        const float d = scene::Distance(scene::Where(candidate), scene::Where(&projectile));
        if (d < nearest) {
            nearest = d;
            thrower = candidate;
        }
    }
    return thrower != nullptr && thrower == scene::Player();
}

Cause DeathLedger::Classify(const GameObject& killer) {
    if (killer.Get<Hole>() != nullptr) {
        // Holes that were not part of the level come from fireballs.
        return levelHoles_.count(killer.id) != 0 ? Cause::Hazard : Cause::Player;
    }
    if (IsProjectile(killer)) {
        auto known = playerProjectiles_.find(killer.id);
        const bool byPlayer = known != playerProjectiles_.end() ? known->second : ThrownByPlayer(killer);
        return byPlayer ? Cause::Player : Cause::EachOther;
    }
    if (killer.Get<Killable>() != nullptr || killer.Get<IDAnnouncer>() != nullptr) {
        return Cause::EachOther;
    }
    return Cause::Hazard;
}

void DeathLedger::Touched(std::int32_t victim, const GameObject& killer) {
    // The first deadly touch is the one that killed.
    pending_.emplace(victim, Classify(killer));
}

void DeathLedger::AfterFrame(std::uint32_t now) {
    for (const auto& [id, object] : gFactory->objects) {
        if (seen_.insert(id).second && IsProjectile(*object)) {
            playerProjectiles_[id] = ThrownByPlayer(*object);
        }
    }
    for (auto it = counted_.begin(); it != counted_.end();) {
        if (gFactory->objects.count(*it) != 0) {
            ++it;
            continue;
        }
        auto cause = pending_.find(*it);
        deaths[*it] = {cause != pending_.end() ? cause->second : Cause::Other, now};
        it = counted_.erase(it);
    }
    pending_.clear();
}
