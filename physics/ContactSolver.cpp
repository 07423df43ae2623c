#include "physics/ContactSolver.h"

#include "physics/ContactMath.h"

using contact_math::MoveApart;
using contact_math::NeedsSeparation;
using contact_math::Resolves;
using contact_math::UpdatePenetration;

void ContactSolver::BuildAdjacency(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& bodyOfContact,
                                   std::uint32_t bodyCount) {
    adjacencyStart_.assign(static_cast<std::size_t>(bodyCount) + 1, 0);
    for (const auto& [a, b] : bodyOfContact) {
        ++adjacencyStart_[a + 1];
        ++adjacencyStart_[b + 1];
    }
    for (std::uint32_t i = 0; i < bodyCount; ++i) {
        adjacencyStart_[i + 1] += adjacencyStart_[i];
    }
    adjacency_.resize(bodyOfContact.size() * 2);
    // A cursor per body, reusing the start of the next body's range.
    std::vector<std::uint32_t>& cursor = adjacencyStart_;
    for (std::uint32_t i = 0; i < bodyOfContact.size(); ++i) {
        adjacency_[cursor[bodyOfContact[i].first]++] = i;
        adjacency_[cursor[bodyOfContact[i].second]++] = i;
    }
    // The cursors now sit at each range's end: shift them back to starts.
    for (std::uint32_t i = bodyCount; i > 0; --i) {
        adjacencyStart_[i] = adjacencyStart_[i - 1];
    }
    adjacencyStart_[0] = 0;
}

void ContactSolver::ResolvePenetration(std::vector<Contact>& contacts,
                                       const std::vector<std::pair<std::uint32_t, std::uint32_t>>& bodyOfContact,
                                       std::uint32_t bodyCount) {
    const std::size_t count = contacts.size();
    if (count == 0) {
        return;
    }
    // No user code runs during the resolvers: the flags cannot change.
    resolves_.resize(count);
    deep_.Reset(count);
    for (std::size_t i = 0; i < count; ++i) {
        resolves_[i] = Resolves(contacts[i]) ? 1 : 0;
        if (resolves_[i] != 0 && NeedsSeparation(contacts[i])) {
            deep_.Insert(i);
        }
    }
    BuildAdjacency(bodyOfContact, bodyCount);

    auto refresh = [&](std::uint32_t q) {
        if (resolves_[q] != 0 && NeedsSeparation(contacts[q])) {
            deep_.Insert(q);
        } else {
            deep_.Erase(q);
        }
    };

    const std::size_t limit = count * contact_math::kIterationsPerContact;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        const std::size_t chosenIndex = deep_.Last();
        if (chosenIndex == LastSetIndex::kNone) {
            return;
        }
        const Contact& chosen = contacts[chosenIndex];
        const Body* a = chosen.a;
        const Body* b = chosen.b;
        Vec2 moveA;
        Vec2 moveB;
        MoveApart(chosen, moveA, moveB);
        // Only contacts that share a body with the chosen one change; each is
        // updated once, exactly as the full scan would update it.
        const std::uint32_t bodyA = bodyOfContact[chosenIndex].first;
        const std::uint32_t bodyB = bodyOfContact[chosenIndex].second;
        for (std::uint32_t k = adjacencyStart_[bodyA]; k < adjacencyStart_[bodyA + 1]; ++k) {
            const std::uint32_t q = adjacency_[k];
            UpdatePenetration(contacts[q], a, b, moveA, moveB);
            refresh(q);
        }
        for (std::uint32_t k = adjacencyStart_[bodyB]; k < adjacencyStart_[bodyB + 1]; ++k) {
            const std::uint32_t q = adjacency_[k];
            if (contacts[q].a == a || contacts[q].b == a) {
                continue;  // already updated through body a
            }
            UpdatePenetration(contacts[q], a, b, moveA, moveB);
            refresh(q);
        }
    }
}

void ContactSolver::ResolveVelocities(std::vector<Contact>& contacts, float dt) {
    const std::size_t count = contacts.size();
    if (count == 0) {
        return;
    }
    approaching_.Reset(count);
    resolves_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        resolves_[i] = Resolves(contacts[i]) ? 1 : 0;
        if (resolves_[i] != 0 && contacts[i].separatingVelocity < 0.0f) {
            approaching_.SetLeaf(i, contacts[i].separatingVelocity);
        }
    }
    approaching_.Build();
    const std::size_t limit = count * contact_math::kIterationsPerContact;
    for (std::size_t iteration = 0; iteration < limit; ++iteration) {
        const std::size_t chosenIndex = approaching_.First();
        if (chosenIndex == FirstMinTree::kNone) {
            return;
        }
        Contact& chosen = contacts[chosenIndex];
        contact_math::Bounce(chosen, dt);
        if (chosen.separatingVelocity < 0.0f) {
            approaching_.Set(chosenIndex, chosen.separatingVelocity);
        } else {
            approaching_.Clear(chosenIndex);
        }
    }
}
