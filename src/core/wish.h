#pragma once
// A worker's wish for one day of the month, collected by the ward before it
// is planned: a day off, a shift she wants, or a shift she would rather not
// work, each with a weight. Unlike the "no duty wanted" day off, which the
// scheduler obeys, a wish is granted only where the staffing allows it.
#include "core/types.h"

namespace planek {

enum class wish_kind : byte { None = 0, DayOff = 1, Shift = 2, NotShift = 3 };

inline constexpr int kMinWishWeight = 1;
inline constexpr int kMaxWishWeight = 3;

struct wish {
    wish_kind kind = wish_kind::None;
    byte shift = 0;   // 1-based, for Shift and NotShift
    byte weight = 0;  // kMinWishWeight..kMaxWishWeight

    bool used() const { return kind != wish_kind::None; }
    bool operator==(const wish&) const = default;
};

// Whether a day with this shift (0: no duty) grants the wish.
inline bool wish_granted(const wish& w, int shift) {
    switch (w.kind) {
    case wish_kind::DayOff: return shift == 0;
    case wish_kind::Shift: return shift == w.shift;
    case wish_kind::NotShift: return shift != w.shift;
    default: return true;
    }
}

}  // namespace planek
