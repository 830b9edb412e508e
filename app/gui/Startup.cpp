#include "app/gui/Startup.h"

#include <QLocale>

#include "app/gui/Sdimain.h"
#include "stock/StockFile.h"
#include "text/Globals.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"

namespace quillet {

std::unique_ptr<TSDIAppForm> StartProgram(const TStartOptions& options) { return StartProgram(options, {}); }

std::unique_ptr<TSDIAppForm> StartProgram(const TStartOptions& options, const TDialogsWrapper& wrapDialogs) {
    // Decimal numbers in files and texts follow the system's convention.
    const QString point = QLocale::system().decimalPoint();
    SetDecimalSeparator(point == QLatin1String(",") ? ',' : '.');

    auto window = std::make_unique<TSDIAppForm>(options.prompter, nullptr, wrapDialogs);
    // Spanish unless the stock file says otherwise.
    SetLanguageIndex(kSpanish);
    window->Editor().LoadStockFile(StockFilePath(StdStr(options.programFolder), StdStr(options.userDataFolder)));
    window->Editor().StartUp();
    window->ApplyLanguage();
    window->FormActualize();
    return window;
}

QString CircuitFileArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].endsWith(QLatin1String(".qlc"), Qt::CaseInsensitive)) return arguments[i];
    }
    return {};
}

}  // namespace quillet
