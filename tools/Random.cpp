#include "tools/Random.h"

namespace quillet {

uint32_t TRandom::Next() {
    // SplitMix64: a Weyl sequence through a strong 64-bit mix.
    state_ += 0x9E37'79B9'7F4A'7C15ULL;
    uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58'476D'1CE4'E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D0'49BB'1331'11EBULL;
    z ^= z >> 31;
    return static_cast<uint32_t>(z >> 32);
}

int TRandom::Below(int n) {
    if (n < 1) return 0;
    // Scales 32 random bits onto 0..n-1; the bias is below n / 2^32.
    return static_cast<int>((static_cast<uint64_t>(Next()) * static_cast<uint64_t>(n)) >> 32);
}

TRandom& ProgramRandom() {
    static TRandom random;
    return random;
}

void ResetProgramRandom() { ProgramRandom().Reset(); }

}  // namespace quillet
