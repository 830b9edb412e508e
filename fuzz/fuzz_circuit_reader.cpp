// Feeds arbitrary bytes to the circuit reader, as a damaged or hostile .QLC
// file would. The reader must read or reject them without crashing, hanging
// or leaking; a rejection leaves the caller's circuit alone and says why; a
// circuit it reads saves and reads back, and from the second save on saving
// and reading give the same bytes again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/Tracks.h"

namespace {

using namespace quillet;

void Require(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    TCircuit c;
    c.title = "caller";
    c.Append(kStandardStraight, 0, 1);
    TReadProblem problem;
    if (!ReadCircuitBytes(bytes, "fuzz.QLC", c, &problem)) {
        Require(c.title == "caller" && c.Count() == 1);
        Require(!problem.message.empty() && problem.line >= 1);
        return 0;
    }
    Require(c.Count() <= TCircuit::kMaxTracks && !c.modified);

    const std::string once = CircuitFileBytes(c, c.title, ',');
    TCircuit again;
    Require(ReadCircuitBytes(once, "once.QLC", again));
    const std::string twice = CircuitFileBytes(again, again.title, '.');
    TCircuit third;
    Require(ReadCircuitBytes(twice, "twice.QLC", third));
    Require(CircuitFileBytes(third, third.title, '.') == twice);

    // The circuit-wide computations over whatever was read.
    (void)c.LaneLengths();
    if (c.Count() > 0) {
        c.Track(static_cast<int>(size % static_cast<size_t>(c.Count())) + 1).selected = true;
        c.AddAutomaticBorders();
        c.ReLay(false);
        c.RemoveAutomaticBorders();
        c.ReLay(true);
    }
    return 0;
}
