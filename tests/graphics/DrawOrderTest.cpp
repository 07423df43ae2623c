#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

#include "graphics/Graphics.h"
#include "graphics/Sprite.h"

namespace {

using DrawList = std::vector<const Sprite*>;

DrawList Listed(const Graphics& graphics) {
    DrawList order;
    for (const Sprite* sprite = graphics.sprites.head; sprite != nullptr; sprite = sprite->drawNext) {
        order.push_back(sprite);
    }
    return order;
}

// The draw list's meaning, kept by hand: walk from the head to the first
// sprite whose key is not larger and insert in front of it.
struct ReferenceOrder {
    std::vector<std::pair<const Sprite*, float>> entries;

    void Add(const Sprite* sprite, float sort) {
        auto it = entries.begin();
        while (it != entries.end() && it->second > sort) {
            ++it;
        }
        entries.insert(it, {sprite, sort});
    }
    void Remove(const Sprite* sprite) {
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            if (it->first == sprite) {
                entries.erase(it);
                return;
            }
        }
    }
    DrawList Order() const {
        DrawList order;
        for (const auto& entry : entries) {
            order.push_back(entry.first);
        }
        return order;
    }
};

// Random joins and leaves over a handful of keys give the same order as
// the walk, with the list links intact in both directions.
void RunAgainstReference(const std::vector<float>& keys, unsigned seed, int steps) {
    Graphics graphics(nullptr);
    ReferenceOrder reference;
    std::vector<std::unique_ptr<Sprite>> live;
    std::srand(seed);
    for (int step = 0; step < steps; ++step) {
        const bool add = live.empty() || std::rand() % 3 != 0;
        if (add) {
            auto sprite = std::make_unique<Sprite>();
            sprite->sort = keys[static_cast<std::size_t>(std::rand()) % keys.size()];
            graphics.AddSprite(*sprite);
            reference.Add(sprite.get(), sprite->sort);
            live.push_back(std::move(sprite));
        } else {
            const std::size_t victim = static_cast<std::size_t>(std::rand()) % live.size();
            reference.Remove(live[victim].get());
            if (std::rand() % 2 == 0) {
                graphics.RemoveSprite(*live[victim]);
            }
            live.erase(live.begin() + static_cast<std::ptrdiff_t>(victim));  // the destructor leaves
        }
        ASSERT_EQ(Listed(graphics), reference.Order()) << "step " << step;
        ASSERT_EQ(graphics.sprites.count, static_cast<std::int32_t>(live.size()));
        const Sprite* previous = nullptr;
        for (const Sprite* sprite = graphics.sprites.head; sprite != nullptr; sprite = sprite->drawNext) {
            ASSERT_EQ(sprite->drawPrev, previous);
            previous = sprite;
        }
        ASSERT_EQ(graphics.sprites.tail, previous);
    }
    live.clear();
    EXPECT_EQ(graphics.sprites.count, 0);
}

TEST(DrawOrder, IndexedInsertionMatchesTheWalkFromTheHead) {
    RunAgainstReference({5.0f, 4.0f, 3.0f, 6.0f, -1.0f}, 1u, 3000);
    // Signed zeros are one key; a single key makes every join a push-front.
    RunAgainstReference({0.0f, -0.0f, 2.0f}, 2u, 2000);
    RunAgainstReference({7.0f}, 3u, 500);
}

TEST(DrawOrder, NaNKeysFollowTheWalkAndTheIndexRecoversWhenTheyLeave) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    RunAgainstReference({5.0f, nan, 3.0f, 4.0f}, 4u, 2000);

    Graphics graphics(nullptr);
    Sprite a, b, odd, c;
    a.sort = 5.0f;
    b.sort = 3.0f;
    odd.sort = nan;
    c.sort = 4.0f;
    graphics.AddSprite(a);
    graphics.AddSprite(b);
    graphics.AddSprite(odd);  // NaN is never larger: it goes to the head
    graphics.AddSprite(c);    // and the walk stops at it at once
    EXPECT_EQ(Listed(graphics), (DrawList{&c, &odd, &a, &b}));
    graphics.RemoveSprite(odd);
    Sprite d;
    d.sort = 4.0f;
    graphics.AddSprite(d);  // in front of the first key not larger: c
    EXPECT_EQ(Listed(graphics), (DrawList{&d, &c, &a, &b}));
}

TEST(DrawOrder, AKeyChangedAfterJoiningDoesNotMoveTheSpriteOrCorruptTheIndex) {
    Graphics graphics(nullptr);
    Sprite a, b, c;
    a.sort = 5.0f;
    b.sort = 3.0f;
    graphics.AddSprite(a);
    graphics.AddSprite(b);
    a.sort = 1.0f;  // too late to matter: places follow the key it joined with
    graphics.RemoveSprite(a);
    c.sort = 4.0f;
    graphics.AddSprite(c);
    EXPECT_EQ(Listed(graphics), (DrawList{&c, &b}));
}

}  // namespace
