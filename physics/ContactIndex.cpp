#include "physics/ContactIndex.h"

#include <bit>

void LastSetIndex::Reset(std::size_t size) {
    std::size_t words = (size + 63) / 64;
    std::size_t level = 0;
    do {
        if (levels_.size() <= level) {
            levels_.emplace_back();
        }
        levels_[level].assign(words == 0 ? 1 : words, 0);
        ++level;
        words = (words + 63) / 64;
    } while (levels_[level - 1].size() > 1);
    levels_.resize(level);
}

void LastSetIndex::Insert(std::size_t index) {
    for (auto& level : levels_) {
        std::uint64_t& word = level[index / 64];
        const bool wasEmpty = word == 0;
        word |= std::uint64_t{1} << (index % 64);
        if (!wasEmpty) {
            return;
        }
        index /= 64;
    }
}

void LastSetIndex::Erase(std::size_t index) {
    for (auto& level : levels_) {
        std::uint64_t& word = level[index / 64];
        word &= ~(std::uint64_t{1} << (index % 64));
        if (word != 0) {
            return;
        }
        index /= 64;
    }
}

std::size_t LastSetIndex::Last() const {
    if (levels_.empty() || levels_.back()[0] == 0) {
        return kNone;
    }
    std::size_t index = 0;
    for (std::size_t level = levels_.size(); level-- > 0;) {
        const std::uint64_t word = levels_[level][index];
        index = index * 64 + (63 - static_cast<std::size_t>(std::countl_zero(word)));
    }
    return index;
}

void FirstMinTree::Reset(std::size_t size) {
    leaves_ = std::bit_ceil(size == 0 ? std::size_t{1} : size);
    nodes_.assign(2 * leaves_, Node{});
}

void FirstMinTree::SetLeaf(std::size_t index, float value) {
    nodes_[leaves_ + index] = {value, static_cast<std::uint32_t>(index), true};
}

FirstMinTree::Node FirstMinTree::Pick(const Node& left, const Node& right) {
    // The left side holds the lower indices: it keeps a tie.
    if (!right.set) {
        return left;
    }
    if (!left.set || right.value < left.value) {
        return right;
    }
    return left;
}

void FirstMinTree::Build() {
    for (std::size_t i = leaves_; i-- > 1;) {
        nodes_[i] = Pick(nodes_[2 * i], nodes_[2 * i + 1]);
    }
}

void FirstMinTree::Set(std::size_t index, float value) {
    SetLeaf(index, value);
    for (std::size_t i = (leaves_ + index) / 2; i >= 1; i /= 2) {
        nodes_[i] = Pick(nodes_[2 * i], nodes_[2 * i + 1]);
    }
}

void FirstMinTree::Clear(std::size_t index) {
    nodes_[leaves_ + index].set = false;
    for (std::size_t i = (leaves_ + index) / 2; i >= 1; i /= 2) {
        nodes_[i] = Pick(nodes_[2 * i], nodes_[2 * i + 1]);
    }
}
