// render: the work area drawn as the editor shows it (the circuit with its
// anchor and start markers, through the editor's own Render), or printed as
// the Print command prints it, into a PNG, SVG or PDF file. The painting is
// the editor's own export (render/PictureExport).

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "app/Editor.h"
#include "cli/Commands.h"
#include "model/FileIO.h"
#include "model/Messages.h"
#include "model/Numeric.h"
#include "model/Tracks.h"
#include "render/PictureExport.h"
#include "render/Pictures.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet::cli {

namespace {

// Scales the tool accepts, mm per pixel.
constexpr double kMinScale = 0.1;
constexpr double kMaxRenderScale = 1000.0;
// The largest picture drawn: 256 MB of pixels, about twice the largest work
// area at the editor's finest scale for it.
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;
constexpr int kMaxSide = 32767;  // QPainter's coordinate range

// The picture's template, as the editor loads it; what goes wrong is said
// on standard error and the drawing goes on without it.
void LoadTemplate(TCircuit& c, const std::string& circuitPath, Pictures& pictures, std::string& warnings) {
    if (!c.templateShown || c.templatePath.empty()) return;
    const TTemplateAction action = ResolveTemplate(c, std::filesystem::path(circuitPath).parent_path().string());
    if (action.kind == TTemplateAction::Kind::Missing) {
        warnings += Text(kTextCantFind) + action.path + "\n";
    } else if (action.kind == TTemplateAction::Kind::Load &&
               !pictures.loadTemplate(QString::fromStdString(action.path))) {
        warnings += Format(Text(XText::CannotReadPicture), action.path) + "\n";
    }
}

}  // namespace

Outcome RunRender(const Invocation& inv) {
    const std::string& inPath = inv.files[0];
    const std::string& outPath = inv.files[1];
    const auto format = PictureFormatOf(outPath);
    if (!format) return Failed(Format(Text(XText::CliPictureType), outPath));
    const bool print = inv.Has("print");
    int detail = 0;
    if (auto f = IntegerOption(inv, "detail", 1, 5, 0, detail)) return *f;
    std::optional<double> scale;
    if (const auto text = inv.Value("scale")) {
        scale = ParseDecimal(*text);
        if (!scale || *scale < kMinScale || *scale > kMaxRenderScale) {
            return Failed(Format(Text(XText::CliBadValue), "--scale", *text, "0.1-1000"));
        }
        if (print) return Failed(Text(XText::CliScaleWithPrint));
    }

    TCircuit c;
    if (auto failure = ReadCircuitArgument(inPath, c)) return *failure;
    if (detail != 0) c.detailLevel = detail;
    if (inv.Has("colour-code")) c.colourCodeShown = true;
    const int32_t areaLength = c.workAreaLength;
    const int32_t areaWidth = c.workAreaWidth;

    std::string warnings;
    Pictures pictures;
    LoadTemplate(c, inPath, pictures, warnings);

    QByteArray bytes;
    bool painted;
    if (print) {
        // One A4 page, portrait, as a default printer has it.
        painted = RenderPrintPage(*format, c, areaLength, areaWidth, QPageLayout::Portrait, pictures, bytes);
    } else {
        // As the editor shows it: at the circuit's scale, which its refresh
        // raises to the smallest the work area allows.
        c.scale = scale ? *scale : std::max(c.scale, static_cast<double>(MinimumScaleFor(areaLength, areaWidth)));
        const int64_t w = std::max<int64_t>(Round64(areaLength / c.scale), 1);
        const int64_t h = std::max<int64_t>(Round64(areaWidth / c.scale), 1);
        if (w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) {
            return Failed(Format(Text(XText::CliPictureTooLarge), w, h));
        }
        // The pieces keep their points in pixels too.
        c.ReLay(false);
        TSilentPrompter prompter;
        TQuietHost host;
        TNoTemplate noTemplate;
        TEditor editor(prompter, host, noTemplate);
        editor.Circuit() = c;
        editor.SetWorkArea(areaLength, areaWidth);
        painted = RenderWorkArea(*format, editor, pictures, bytes);
    }
    if (!painted) return Failed(Format(Text(XText::CannotWriteFile), outPath));
    std::string cause;
    if (!WriteFileAtomically(outPath, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                             &cause)) {
        return Failed(Format(Text(XText::CannotWriteFile), outPath) + ": " + cause);
    }
    return {kExitDone, {}, warnings};
}

}  // namespace quillet::cli
