#include "app/gui/MainControls.h"

#include "app/gui/Sdimain.h"

namespace quillet {

WindowHandler WindowHandlerOf(CommandId id) {
    using F = TSDIAppForm;
    switch (id) {
        case CommandId::Print:
            return &F::ToolButton53Click;
        case CommandId::ExportPng:
            return &F::ExportPng1Click;
        case CommandId::ExportSvg:
            return &F::ExportSvg1Click;
        case CommandId::ExportPdf:
            return &F::ExportPdf1Click;
        case CommandId::ExportCsv:
            return &F::ExportCsv1Click;
        case CommandId::Exit:
            return &F::FileExit1Execute;
        case CommandId::CopyCircuit:
            return &F::ToolButton56Click;
        case CommandId::Options:
            return &F::WorkingArea1Click;
        case CommandId::TrackList:
            return &F::TracksList1Click;
        case CommandId::Dimensions:
            return &F::CircuitDimensions1Click;
        case CommandId::Stock:
            return &F::Stock1Click;
        case CommandId::StockControl:
            return &F::StockControl1Click;
        case CommandId::Notes:
            return &F::ToolButton55Click;
        case CommandId::LapTimes:
            return &F::ToolButton61Click;
        case CommandId::About:
            return &F::HelpAbout1Execute;
        case CommandId::SuggestCircuits:
            return &F::SuggestCircuits1Click;
        case CommandId::FitToWindow:
            return &F::ToolButton57Click;
        default:
            return nullptr;
    }
}

}  // namespace quillet
