#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "physics/Contact.h"
#include "physics/ContactIndex.h"

// The two resolvers of the physics step without a scan of every contact per
// iteration. Each iteration makes the choice the literal scan makes (the
// last contact deeper than the slop; the most negative separating velocity,
// first on a tie), from an index that is updated only where something
// changed: a correction changes the contacts of its two bodies, a bounce
// only its own contact.
class ContactSolver {
public:
    // `bodyOfContact[i]` holds dense indices (below `bodyCount`) of the two
    // bodies of `contacts[i]`.
    void ResolvePenetration(std::vector<Contact>& contacts,
                            const std::vector<std::pair<std::uint32_t, std::uint32_t>>& bodyOfContact,
                            std::uint32_t bodyCount);
    void ResolveVelocities(std::vector<Contact>& contacts, float dt);

private:
    void BuildAdjacency(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& bodyOfContact,
                        std::uint32_t bodyCount);

    std::vector<std::uint8_t> resolves_;
    std::vector<std::uint32_t> adjacencyStart_;  // per body, into adjacency_
    std::vector<std::uint32_t> adjacency_;       // contact indices, grouped by body
    LastSetIndex deep_;
    FirstMinTree approaching_;
};
