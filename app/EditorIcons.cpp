// The two drop-down buttons: Insert Icon (ToolButton23), whose picture says
// which accessory the next click on the drawing places, and the track
// surface button (ToolButton33, shown by Alt+6), whose picture says which
// surface its click gives the selected track.

#include "app/Editor.h"

namespace quillet {

int IconKindOfImage(int image) {
    switch (image) {
        case kImageLapCounter:
            return 1;
        case kImageStart:
            return 2;
        case kImageController:
            return 3;
        case kImageAssistant:
            return 4;
        case kImagePowerSource:
            return 5;
        default:
            return 0;
    }
}

// ---------------------------------------------------------------------------
// Icons

void TEditor::ChooseIcon(int image) {
    iconImage_ = image;
    ToolButton23Click();
}

void TEditor::asd1Click() { ChooseIcon(kImageController); }
void TEditor::asd2Click() { ChooseIcon(kImageLapCounter); }
void TEditor::asd3Click() { ChooseIcon(kImageStart); }
void TEditor::HelperClick() { ChooseIcon(kImageAssistant); }
void TEditor::PowerSource1Click() { ChooseIcon(kImagePowerSource); }

void TEditor::ToolButton23Click() {
    TCircuit& c = Circuit();
    for (TIconSlot& icon : c.icons) icon.selected = false;
    for (TTrack& t : c.Tracks()) {
        t.selected = false;
        t.replaceMark = false;
    }
    // The indexes follow the flags: nothing stays selected behind the
    // user's back for Copy or Delete to act on.
    c.firstSelected = 0;
    c.lastSelected = 0;
    view_.SetPlacementMode(true);
}

// ---------------------------------------------------------------------------
// Surfaces

namespace {

// -1 for a picture that shows no surface.
int SurfaceOfImage(int image) {
    switch (image) {
        case kImageSand:
            return kSurfaceSand;
        case kImageAsphalt:
            return kSurfaceNone;
        case kImageWater:
            return kSurfaceWater;
        case kImageSnow:
            return kSurfaceSnow;
        default:
            return -1;
    }
}

int FirstSelectedTrack(const TCircuit& c) {
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).selected) return i;
    }
    return 0;
}

}  // namespace

void TEditor::SetFirstSelectedSurface(uint8_t surface) {
    TCircuit& c = Circuit();
    const int i = FirstSelectedTrack(c);
    if (i == 0) return;
    KeepCircuit();
    c.modified = true;
    c.Track(i).surface = surface;
}

void TEditor::ToolButton33Click() {
    const int surface = SurfaceOfImage(surfaceImage_);
    if (surface < 0) return;
    SetFirstSelectedSurface(static_cast<uint8_t>(surface));
}

void TEditor::ChooseSurface(uint8_t surface, int image) {
    if (FirstSelectedTrack(Circuit()) != 0) {
        SetFirstSelectedSurface(surface);
    } else {
        // Remembered on the button, for its next click.
        surfaceImage_ = image;
    }
}

void TEditor::N11Click() { ChooseSurface(kSurfaceNone, kImageAsphalt); }
void TEditor::N21Click() { ChooseSurface(kSurfaceSnow, kImageSnow); }
void TEditor::N31Click() { ChooseSurface(kSurfaceSand, kImageSand); }
void TEditor::N41Click() { ChooseSurface(kSurfaceWater, kImageWater); }

}  // namespace quillet
