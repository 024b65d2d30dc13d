// The folder-attribute and drive-kind filters of the directory tree, as small sets of enumerated
// values (one bit per value, in declaration order), so that a filter reads like a list of kinds.
#pragma once

#include <cstdint>
#include <initializer_list>

enum class TDirType { dtReadOnly, dtHidden, dtSystem, dtArchive, dtNormal, dtAll };
enum class TDriveType { drtUnknown, drtRemovable, drtFixed, drtRemote, drtCDRom, drtRamDisk };

template <typename E> class DirFlagSet {
public:
    constexpr DirFlagSet() = default;
    constexpr DirFlagSet(std::initializer_list<E> values) {
        for (E value : values)
            bits_ |= Bit(value);
    }
    static constexpr DirFlagSet FromBits(uint32_t bits) {
        DirFlagSet set;
        set.bits_ = bits;
        return set;
    }

    constexpr bool Contains(E value) const { return (bits_ & Bit(value)) != 0; }
    constexpr DirFlagSet With(E value) const { return FromBits(bits_ | Bit(value)); }
    constexpr DirFlagSet Without(E value) const { return FromBits(bits_ & ~Bit(value)); }
    constexpr uint32_t Bits() const { return bits_; }
    constexpr bool operator==(const DirFlagSet&) const = default;

private:
    static constexpr uint32_t Bit(E value) { return uint32_t{1} << static_cast<unsigned>(value); }
    uint32_t bits_ = 0;
};

using TDirTypes = DirFlagSet<TDirType>;
using TDriveTypes = DirFlagSet<TDriveType>;

inline constexpr TDriveTypes kAllDriveTypes{TDriveType::drtUnknown, TDriveType::drtRemovable,
                                            TDriveType::drtFixed,   TDriveType::drtRemote,
                                            TDriveType::drtCDRom,   TDriveType::drtRamDisk};
