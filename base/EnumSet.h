// A small set of enumeration values kept as bits by ordinal (the list's style, mask and state
// sets, the tree's folder and drive filters), so that a set reads like a list of kinds.
#pragma once

#include <cstdint>
#include <initializer_list>

template <typename E> class EnumSet {
public:
    constexpr EnumSet() = default;
    constexpr EnumSet(std::initializer_list<E> values) {
        for (E value : values)
            bits_ |= Bit(value);
    }

    constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
    constexpr EnumSet& Include(E value) {
        bits_ |= Bit(value);
        return *this;
    }
    constexpr EnumSet& Exclude(E value) {
        bits_ &= ~Bit(value);
        return *this;
    }
    constexpr EnumSet With(E value) const { return EnumSet(*this).Include(value); }
    constexpr EnumSet Without(E value) const { return EnumSet(*this).Exclude(value); }
    constexpr bool Empty() const { return bits_ == 0; }

    // The ordinal bits (value k is bit k), for sets whose ordinals match platform bits.
    constexpr uint32_t OrdinalBits() const { return bits_; }
    static constexpr EnumSet FromOrdinalBits(uint32_t bits) {
        EnumSet set;
        set.bits_ = bits;
        return set;
    }

    friend constexpr bool operator==(EnumSet a, EnumSet b) { return a.bits_ == b.bits_; }
    friend constexpr bool operator!=(EnumSet a, EnumSet b) { return a.bits_ != b.bits_; }

private:
    static constexpr uint32_t Bit(E value) { return uint32_t{1} << static_cast<unsigned>(value); }
    uint32_t bits_ = 0;
};
