#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A set of indices 0..n-1 that finds its largest member in logarithmic
// time: bit words with one summary level per factor of 64.
class LastSetIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    // Empties the set and sizes it for indices below `size`.
    void Reset(std::size_t size);
    void Insert(std::size_t index);
    void Erase(std::size_t index);
    // The largest member, or kNone.
    std::size_t Last() const;

private:
    // levels_[0] holds one bit per index; levels_[k + 1] one bit per word of
    // levels_[k]; the last level is a single word.
    std::vector<std::vector<std::uint64_t>> levels_;
};

// Per index either a value or nothing; finds the smallest value, the lowest
// index among equal ones, in constant time after a logarithmic update.
class FirstMinTree {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    void Reset(std::size_t size);
    // Sets the value at `index` without updating the tree; call Build after.
    void SetLeaf(std::size_t index, float value);
    void Build();
    // Sets the value at `index` and updates the path to the root.
    void Set(std::size_t index, float value);
    void Clear(std::size_t index);
    // The index of the smallest value, or kNone when every index is empty.
    std::size_t First() const { return nodes_.empty() || !nodes_[1].set ? kNone : nodes_[1].index; }

private:
    struct Node {
        float value = 0.0f;
        std::uint32_t index = 0;
        bool set = false;
    };
    static Node Pick(const Node& left, const Node& right);

    std::size_t leaves_ = 0;
    std::vector<Node> nodes_;  // 1-based heap layout, leaves at [leaves_, 2 * leaves_)
};
