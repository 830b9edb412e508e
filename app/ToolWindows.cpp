#include "app/ToolWindows.h"

#include "stock/StockControlForm.h"
#include "stock/StockForm.h"
#include "stock/TrackListForm.h"
#include "tools/Ampliate.h"
#include "tools/CloseCircuit.h"
#include "tools/CloseProgress.h"
#include "tools/DimensionsForm.h"
#include "tools/PrintCircuit.h"
#include "tools/Unit14.h"

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
}

}  // namespace quillet
