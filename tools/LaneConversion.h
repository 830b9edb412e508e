#pragma once
// The Convert command without the windows: two lanes more or two lanes
// fewer, added or removed on the outside or on the inside of the chain.
//
// A multi-lane curve is built from concentric catalogue curves, so adding
// or removing inner lanes moves every curve one rung along the ladder of
// radii: with two more lanes inside, a standard curve becomes an inner curve
// and two outer curves one standard curve; with two fewer, the other way.
// Circuits whose curves have no counterpart are refused with a message and
// left unchanged.
//
// The editor keeps the undo copy, shows the dialog and redraws. With single
// racing on, it runs its single-racing command instead of converting.

#include <vector>

namespace quillet {

class TCircuit;

enum class ConversionKind {
    AddOuterLanes,     // text 155 "Add 2 Outer Lanes"
    AddInnerLanes,     // text 156 "Add 2 Inner Lanes"
    DeleteOuterLanes,  // text 157 "Delete 2 Outer Lanes"
    DeleteInnerLanes,  // text 158 "Delete 2 Inner Lanes"
};

// The dialog's choices for the lane pairs, in order; the first is
// preselected.
std::vector<ConversionKind> ConversionChoices(int lanePairs);

// Text-table entry of a choice.
int ConversionTextEntry(ConversionKind kind);

// Every outer curve is directly followed by a second one turning the same
// way, and the two pair off from piece 1 on (three in a row leave one
// unpaired).
bool OuterCurvesPaired(const TCircuit& circuit);

struct ConversionResult {
    bool converted = false;
    // Text entry of the refusal to show (159 to 163, or 122 for the limit of
    // 300 pieces); 0 when there is nothing to say.
    int refusal = 0;
};

// Converts the circuit, or refuses and leaves it unchanged. A choice the
// lane pairs do not offer, and any choice with single racing on, do nothing
// and say nothing.
ConversionResult ConvertLanes(TCircuit& circuit, ConversionKind kind);

}  // namespace quillet
