// Draws circuits made of arbitrary values: every field a damaged file or an
// odd editor state could leave (scale, detail, lanes, colours, grid step,
// piece types, widths, radii, flags, selection, icons) must draw without
// crashing, hanging or overflowing, and in a bounded number of calls.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Canvas.h"
#include "model/Tracks.h"

namespace {

using namespace quillet;

// Counts what is drawn and checks that boxes are not upside down beyond
// what their points allow.
class CountingCanvas final : public Canvas {
public:
    long calls = 0;
    void polygon(std::span<const PixelPoint> p) override { Count(p.size()); }
    void polyline(std::span<const PixelPoint> p) override { Count(p.size()); }
    void rectangle(const PixelRect&) override { Count(1); }
    void fillRect(const PixelRect&) override { Count(1); }
    void ellipse(const PixelRect& r) override {
        // Dots are built around their centre: never inside out, never huge.
        if (int64_t{r.right} - r.left < 0 || int64_t{r.right} - r.left > 2 * 4096 + 2) std::abort();
        Count(1);
    }
    void textOut(int, int, std::string_view) override { Count(1); }
    int textWidth(std::string_view) override { return 0; }
    int textHeight(std::string_view) override { return 0; }
    void drawPicture(Picture, int, int) override { Count(1); }
    void drawPictureStretched(Picture, const PixelRect&) override { Count(1); }
    PixelSize pictureSize(Picture p) const override { return p == Picture::Template ? templateSize : PixelSize{}; }
    PixelSize templateSize;

protected:
    void drawLine(PixelPoint, PixelPoint) override { Count(1); }

private:
    void Count(std::size_t points) {
        if (points > 18) std::abort();  // the largest shape is a piece's outline
        ++calls;
    }
};

double AnyDouble(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeFloatingPoint<double>();  // huge, tiny, negative, inf, nan
        case 1:
            return in.ConsumeFloatingPointInRange<double>(-5000.0, 5000.0);
        case 2:
            return static_cast<double>(in.ConsumeIntegralInRange<int>(0, 8)) * 90.0;
        default:
            return in.ConsumeProbability<double>() * 25.0;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    TCircuit c(in.ConsumeIntegralInRange<int32_t>(-20000, 20000), in.ConsumeIntegralInRange<int32_t>(-20000, 20000));
    c.lanePairs = in.ConsumeIntegral<uint8_t>();
    c.startBrand = in.ConsumeIntegral<uint8_t>();
    c.innerBorderDefault = in.ConsumeBool();
    c.outerBorderDefault = in.ConsumeBool();
    c.scale = in.ConsumeBool() ? AnyDouble(in) : in.ConsumeIntegralInRange<int>(3, 20);

    const int pieces = in.ConsumeIntegralInRange<int>(0, 40);
    for (int i = 0; i < pieces; ++i) {
        c.Append(in.ConsumeIntegralInRange<int>(0, 14), in.ConsumeIntegralInRange<int>(0, 1),
                 in.ConsumeIntegralInRange<int>(0, 1));
    }
    c.ReLay(false);
    for (TTrack& t : c.Tracks()) {
        if (!in.ConsumeBool()) continue;
        t.type = in.ConsumeIntegral<uint8_t>();
        t.orientation = in.ConsumeIntegral<uint8_t>();
        if (in.ConsumeBool()) t.width = AnyDouble(in);
        if (in.ConsumeBool()) t.lengthOrArc = AnyDouble(in);
        if (in.ConsumeBool()) t.innerRadius = AnyDouble(in);
        if (in.ConsumeBool()) t.borderWidth = AnyDouble(in);
        for (int f = 1; f <= kBorderFlags; ++f) t.SetBorder(f, in.ConsumeBool());
        t.innerBarrier = in.ConsumeBool();
        t.outerBarrier = in.ConsumeBool();
        t.surface = in.ConsumeIntegral<uint8_t>();
        t.selected = in.ConsumeBool();
        t.replaceMark = in.ConsumeBool();
        if (in.ConsumeBool()) t.ComputeOutline(c);
    }
    c.detailLevel = in.ConsumeIntegral<int32_t>();
    c.colourCodeShown = in.ConsumeBool();
    c.templateShown = in.ConsumeBool();
    c.singleRacing = in.ConsumeBool();
    c.closed = in.ConsumeBool();
    c.gridShown = in.ConsumeBool();
    c.gridStep = in.ConsumeIntegral<int32_t>();
    c.backgroundColour = in.ConsumeIntegral<int32_t>();
    c.firstSelected = in.ConsumeIntegralInRange<int32_t>(-2, 45);
    c.lastSelected = in.ConsumeIntegralInRange<int32_t>(-2, 45);
    c.box = {in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>(), in.ConsumeIntegral<int32_t>(),
             in.ConsumeIntegral<int32_t>()};
    c.title = in.ConsumeRandomLengthString(40);
    for (int k = in.ConsumeIntegralInRange<int>(0, 4); k > 0; --k) {
        TIconSlot& icon = c.Icon(in.ConsumeIntegralInRange<int>(1, TCircuit::kIconSlots));
        icon = {in.ConsumeIntegral<int32_t>(), AnyDouble(in), AnyDouble(in), in.ConsumeBool()};
    }
    const int32_t width =
        in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : in.ConsumeIntegralInRange<int32_t>(1000, 12000);
    const int32_t length =
        in.ConsumeBool() ? in.ConsumeIntegral<int32_t>() : in.ConsumeIntegralInRange<int32_t>(1000, 12000);

    CountingCanvas canvas;
    canvas.templateSize = {in.ConsumeIntegralInRange<int32_t>(0, 5000), in.ConsumeIntegralInRange<int32_t>(0, 5000)};
    c.Draw(canvas, in.ConsumeBool() ? CircuitDrawMode::Print : CircuitDrawMode::Screen, width, length);
    // Each piece draws a few hundred shapes at most; the grid at most 65537
    // lines each way.
    if (canvas.calls > 40L * 1000 + 2 * 65540 + 100) std::abort();
    return 0;
}
