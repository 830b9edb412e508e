#include "app/gui/DialogPrompter.h"

#include <QFileDialog>
#include <QImageReader>

#include "app/Editor.h"
#include "app/gui/Alert.h"
#include "app/gui/Unit15.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/area.h"
#include "widgets/Information.h"

namespace quillet {

namespace {

std::optional<std::string> Run(QFileDialog* dialog) {
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return std::nullopt;
    const QString file = dialog->selectedFiles().constFirst();
    // The next dialog opens where this one left off.
    const QString folder = QFileInfo(file).absolutePath();
    for (QFileDialog* d : dialog->parent()->findChildren<QFileDialog*>()) d->setDirectory(folder);
    return StdStr(file);
}

}  // namespace

QStringList OpenCircuitFilters() { return {QStringLiteral("Quillet Circuit (*.QLC *.qlc)")}; }

QStringList SaveCircuitFilters() { return {QStringLiteral("Quillet Circuits File (*.QLC *.qlc)")}; }

QStringList TemplateFilters() {
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString f = QString::fromLatin1(format).toLower();
        if (f == QLatin1String("bmp")) continue;
        patterns << QStringLiteral("*.") + f << QStringLiteral("*.") + f.toUpper();
    }
    return {
        QStringLiteral("Bitmaps (*.BMP *.bmp)"),
        QStr(Text(XText::PicturesFilter)) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'),
        QStr(Text(XText::AllFilesFilter)) + QStringLiteral(" (*)")};
}

void PrepareFileDialogs(const TMainDialogs& d) {
    d.openDialog->setAcceptMode(QFileDialog::AcceptOpen);
    d.openDialog->setFileMode(QFileDialog::ExistingFile);
    d.openDialog->setNameFilters(OpenCircuitFilters());
    d.saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    d.saveDialog->setFileMode(QFileDialog::AnyFile);
    d.saveDialog->setNameFilters(SaveCircuitFilters());
    d.saveDialog->setDefaultSuffix(QStringLiteral("QLC"));
    d.saveDialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    d.templateDialog->setAcceptMode(QFileDialog::AcceptOpen);
    d.templateDialog->setFileMode(QFileDialog::ExistingFile);
    d.templateDialog->setNameFilters(TemplateFilters());
    if (d.exportDialog != nullptr) {
        d.exportDialog->setAcceptMode(QFileDialog::AcceptSave);
        d.exportDialog->setFileMode(QFileDialog::AnyFile);
        d.exportDialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    }
}

QString ExportFilter(ExportKind kind) {
    switch (kind) {
        case ExportKind::Png:
            return QStr(Text(XText::ExportPngFilter)) + QStringLiteral(" (*.png *.PNG)");
        case ExportKind::Svg:
            return QStr(Text(XText::ExportSvgFilter)) + QStringLiteral(" (*.svg *.SVG)");
        case ExportKind::Pdf:
            return QStr(Text(XText::ExportPdfFilter)) + QStringLiteral(" (*.pdf *.PDF)");
        case ExportKind::Csv:
            return QStr(Text(XText::ExportCsvFilter)) + QStringLiteral(" (*.csv *.CSV)");
    }
    return {};
}

void TDialogPrompter::Information(int textEntry, const std::string& suffix) {
    m_d.information->ShowMessage(QStr(Text(textEntry) + suffix));
}

SaveAnswer TDialogPrompter::AskSaveChanges() { return m_d.saveQuestion->Ask(); }

std::optional<std::string> TDialogPrompter::AskOpenCircuitName() { return Run(m_d.openDialog); }

std::optional<std::string> TDialogPrompter::AskSaveCircuitName(const std::string& suggestedName) {
    m_d.saveDialog->selectFile(QStr(suggestedName));
    return Run(m_d.saveDialog);
}

std::optional<std::string> TDialogPrompter::AskTemplateName() {
    // The filter names follow the language.
    m_d.templateDialog->setNameFilters(TemplateFilters());
    return Run(m_d.templateDialog);
}

bool TDialogPrompter::AskYesNo(const std::string& question) { return m_d.yesNo->Ask(QStr(question)); }

std::optional<std::string> TDialogPrompter::AskExportName(ExportKind kind, const std::string& suggestedName) {
    QFileDialog* dialog = m_d.exportDialog;
    if (dialog == nullptr) return std::nullopt;
    dialog->setWindowTitle(QStr(Text(XText::ExportDialogTitle)));
    dialog->setNameFilters({ExportFilter(kind)});
    // A name typed without an extension gets the format's.
    dialog->setDefaultSuffix(QStr(ExportExtension(kind).substr(1)));
    dialog->selectFile(QStr(suggestedName));
    return Run(dialog);
}

void TDialogPrompter::ShowError(const std::string& message) {
    m_d.information->ShowProblem(QStr(WithCapital(message)), QStr(Text(XText::ErrorCaption)));
}

void TDialogPrompter::ShowLoadError(LoadKind kind, const std::string& path, const std::string& message) {
    m_d.information->ShowProblem(QStr(LoadErrorText(path, message)), QStr(LoadErrorCaption(kind)));
}

bool TDialogPrompter::EditSettings(TSettingsValues& values) { return m_d.settings->Edit(values); }

}  // namespace quillet
