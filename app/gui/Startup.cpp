#include "app/gui/Startup.h"

#include <QFileDialog>
#include <QLocale>

#include "app/gui/Alert.h"
#include "app/gui/DialogPrompter.h"
#include "app/gui/ForwardingPrompter.h"
#include "app/gui/Sdimain.h"
#include "app/gui/Unit15.h"
#include "stock/StockFile.h"
#include "text/gui/ApplyTexts.h"
#include "text/Globals.h"
#include "text/Languages.h"
#include "tools/gui/area.h"
#include "widgets/Information.h"

namespace quillet {

namespace {

// The prompters of a window whose real dialogs are wrapped, in the order
// they refer to each other; a child of the window, so they outlive its
// editor.
class TWrappedPrompters final : public QObject {
public:
    explicit TWrappedPrompters(QObject* window) : QObject(window) {}
    TForwardingPrompter editorPrompter;
    std::unique_ptr<TDialogPrompter> dialogs;
    std::unique_ptr<TPrompter> wrapped;
};

template <class T>
T* Child(QObject& window, const QString& name = {}) {
    return window.findChild<T*>(name, Qt::FindDirectChildrenOnly);
}

// The window's dialogs, as the window hands them to its own prompter.
TMainDialogs DialogsOf(TSDIAppForm& window) {
    return {&window,
            Child<TForm9>(window),
            Child<TForm7>(window),
            Child<TForm15>(window),
            Child<TForm2>(window),
            Child<QFileDialog>(window, QStringLiteral("OpenDialog")),
            Child<QFileDialog>(window, QStringLiteral("SaveDialog")),
            Child<QFileDialog>(window, QStringLiteral("TemplateDialog")),
            Child<QFileDialog>(window, QStringLiteral("ExportDialog")),
            &window.Tools()};
}

std::unique_ptr<TSDIAppForm> MakeWindow(const TStartOptions& options, const TDialogsWrapper& wrapDialogs) {
    if (options.prompter != nullptr || !wrapDialogs) return std::make_unique<TSDIAppForm>(options.prompter);
    // The editor is made with the window, before the dialogs can be
    // wrapped: it asks through a stand-in that is pointed at them next.
    auto prompters = std::make_unique<TWrappedPrompters>(nullptr);
    auto window = std::make_unique<TSDIAppForm>(&prompters->editorPrompter);
    prompters->setParent(window.get());
    TWrappedPrompters* p = prompters.release();
    p->dialogs = std::make_unique<TDialogPrompter>(DialogsOf(*window));
    p->wrapped = wrapDialogs(*p->dialogs);
    p->editorPrompter.SetTarget(p->wrapped ? *p->wrapped : static_cast<TPrompter&>(*p->dialogs));
    return window;
}

}  // namespace

std::unique_ptr<TSDIAppForm> StartProgram(const TStartOptions& options) { return StartProgram(options, {}); }

std::unique_ptr<TSDIAppForm> StartProgram(const TStartOptions& options, const TDialogsWrapper& wrapDialogs) {
    // Decimal numbers in files and texts follow the system's convention.
    const QString point = QLocale::system().decimalPoint();
    SetDecimalSeparator(point == QLatin1String(",") ? ',' : '.');

    auto window = MakeWindow(options, wrapDialogs);
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
