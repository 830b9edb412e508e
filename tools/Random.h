#pragma once
// The program's one source of pseudo-random numbers.
//
// It starts from a fixed seed when the program starts and is never seeded
// from the clock, so the same circuit closed first thing after start-up gets
// the same random solutions. The arithmetic is the program's own (no
// library distribution), so the sequence is the same on every platform.

#include <cstdint>

namespace quillet {

class TRandom {
public:
    static constexpr uint64_t kStartSeed = 0x51C4'7A3E'0B5D'2F69ULL;

    explicit TRandom(uint64_t seed = kStartSeed) : state_(seed) {}

    // Back to the sequence that follows `seed`.
    void Reset(uint64_t seed = kStartSeed) { state_ = seed; }

    // 32 well-mixed bits.
    uint32_t Next();

    // A whole number 0..n-1; 0 when n < 1.
    int Below(int n);

private:
    uint64_t state_;
};

// The generator shared by the whole program. Used from one thread at a time
// (the random closing runs on the user-interface thread).
TRandom& ProgramRandom();

// Puts the shared generator back to its start-up state (for tests).
void ResetProgramRandom();

}  // namespace quillet
