// Drives a circuit through arbitrary sequences of edits with arbitrary
// values, as damaged files and odd editor states could: nothing may crash,
// hang or misbehave, and the chain never passes its limit.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>

#include "model/Messages.h"
#include "model/Tracks.h"

namespace {

using namespace quillet;

class Silent : public TInformer {
public:
    void Information(int, const std::string&) override {}
};

double AnyDouble(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeFloatingPoint<double>();  // any value, huge ones included
        case 1:
            return in.ConsumeFloatingPointInRange<double>(-5000.0, 5000.0);
        case 2:
            return static_cast<double>(in.ConsumeIntegralInRange<int>(-4, 4)) * kPi / 8.0;
        default:
            return in.ConsumeProbability<double>() * 20.0;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    Silent informer;
    TCircuit c(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());
    c.lanePairs = in.ConsumeIntegralInRange<uint8_t>(0, 6);
    c.startBrand = in.ConsumeIntegral<uint8_t>();
    c.innerBorderDefault = in.ConsumeBool();
    c.outerBorderDefault = in.ConsumeBool();
    c.singleRacing = in.ConsumeBool();

    while (in.remaining_bytes() > 0) {
        const int op = in.ConsumeIntegralInRange<int>(0, 14);
        const int type = in.ConsumeIntegralInRange<int>(-1, 16);
        const int orientation = in.ConsumeIntegralInRange<int>(0, 2);
        switch (op) {
            case 0:
                c.Append(type, orientation, in.ConsumeIntegralInRange<int>(0, 2));
                break;
            case 1:
                c.Insert(type, orientation, in.ConsumeBool() ? &informer : nullptr);
                break;
            case 2:
                c.firstSelected = in.ConsumeIntegralInRange<int32_t>(-2, 305);
                c.lastSelected = in.ConsumeIntegralInRange<int32_t>(-2, 305);
                break;
            case 3:
                if (c.Count() > 0) {
                    TTrack& t = c.Track(in.ConsumeIntegralInRange<int>(1, c.Count()));
                    t.selected = in.ConsumeBool();
                    t.replaceMark = in.ConsumeBool();
                    t.anchorMark = in.ConsumeBool();
                    t.SetBorder(in.ConsumeIntegralInRange<int>(0, 7), in.ConsumeBool());
                }
                break;
            case 4:
                c.DeleteSelectedRange();
                break;
            case 5:
                c.DeleteFirstSelected();
                break;
            case 6:
                c.ReLay(in.ConsumeBool());
                break;
            case 7:
                c.Rotate(AnyDouble(in));
                break;
            case 8:
                c.HitTest(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());
                break;
            case 9:
                c.AddSingleRacingEnds(&informer);
                break;
            case 10:
                if (c.Count() > 0) {
                    // Values a damaged file or a lane conversion could leave.
                    TTrack& t = c.Track(in.ConsumeIntegralInRange<int>(1, c.Count()));
                    t.angle = AnyDouble(in);
                    t.width = AnyDouble(in);
                    t.lengthOrArc = AnyDouble(in);
                    t.innerRadius = AnyDouble(in);
                    t.type = in.ConsumeIntegral<uint8_t>();
                    t.orientation = in.ConsumeIntegral<uint8_t>();
                    t.SetTypeDimensions(c);
                    t.ComputeOutline(c);
                    t.ContainsPoint(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());
                    (void)t.ExitHeading();
                }
                break;
            case 11:
                c.scale = AnyDouble(in);
                c.lanePairs = in.ConsumeIntegral<uint8_t>();
                break;
            case 12:
                c.startX = AnyDouble(in);
                c.startY = AnyDouble(in);
                break;
            case 13:
                for (int k = 0; k < 3; ++k) {
                    (void)c.CountPieces(in.ConsumeIntegralInRange<int>(-1, 15), in.ConsumeBool());
                }
                (void)c.ContainsType(type);
                (void)c.FitsWorkArea(in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>());
                break;
            default: {
                TCircuit copy = c;  // undo keeps a deep copy
                copy.ReLay(true);
                break;
            }
        }
        if (c.Count() > TCircuit::kMaxTracks) std::abort();
    }
    c.BoundingBox();
    return 0;
}
