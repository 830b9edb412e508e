#include "app/gui/ToolWindows.h"

#include "stock/gui/StockControlForm.h"
#include "stock/gui/StockForm.h"
#include "stock/gui/TrackListForm.h"
#include "tools/gui/Ampliate.h"
#include "tools/gui/CloseCircuit.h"
#include "tools/gui/CloseProgress.h"
#include "tools/gui/DimensionsForm.h"
#include "tools/gui/PrintCircuit.h"
#include "tools/gui/SuggestForm.h"
#include "tools/gui/Unit14.h"

namespace quillet {

void TToolWindows::Create(QWidget* parent) {
    stock = new TForm1(parent);
    trackList = new TForm3(parent);
    dimensions = new TForm4(parent);
    closeOptions = new TForm5(parent);
    closeProgress = new TForm6(parent);
    stockControl = new TForm8(parent);
    print = new TForm10(parent);
    convert = new TForm12(parent);
    lapTimes = new TForm14(parent);
    suggest = new TSuggestForm(parent);
}

void TToolWindows::ApplyLanguage() {
    stock->ApplyLanguage();
    trackList->ApplyLanguage();
    dimensions->ApplyLanguage();
    closeOptions->ApplyLanguage();
    closeProgress->ApplyLanguage();
    stockControl->ApplyLanguage();
    print->ApplyLanguage();
    convert->ApplyLanguage();
    lapTimes->ApplyLanguage();
    suggest->ApplyLanguage();
}

}  // namespace quillet
