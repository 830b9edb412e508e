#pragma once
// The exhaustive closing searches as a plain loop over the slots, advancing
// the pen over every slot of every candidate: the definition the fast
// searches of tools/ClosingSearch.h must match, answer for answer, rounding
// for rounding. For the tests and the benchmark only; the program does not
// link it.

#include "tools/ClosingSearch.h"

namespace quillet {

SearchResult PlainClosingStraightforward(const ClosingProblem& problem, const SearchControl& control = {});
SearchResult StockClosingStraightforward(const ClosingProblem& problem, const StockLimit& stock,
                                         const SearchControl& control = {});

}  // namespace quillet
