#pragma once
// A prompter that hands every question to another one: the base of a
// prompter that answers some questions itself and leaves the rest to the
// real dialogs, and the stand-in the editor holds while the window that owns
// those dialogs is still being built.

#include "app/Prompter.h"

namespace quillet {

class TForwardingPrompter : public TPrompter {
public:
    // The target must be set before the first question.
    explicit TForwardingPrompter(TPrompter* target = nullptr) : m_target(target) {}
    void SetTarget(TPrompter& target) { m_target = &target; }

    void Information(int textEntry, const std::string& suffix) override { m_target->Information(textEntry, suffix); }
    SaveAnswer AskSaveChanges() override { return m_target->AskSaveChanges(); }
    std::optional<std::string> AskOpenCircuitName() override { return m_target->AskOpenCircuitName(); }
    std::optional<std::string> AskSaveCircuitName(const std::string& suggestedName) override {
        return m_target->AskSaveCircuitName(suggestedName);
    }
    std::optional<std::string> AskTemplateName() override { return m_target->AskTemplateName(); }
    bool AskYesNo(const std::string& question) override { return m_target->AskYesNo(question); }
    void ShowError(const std::string& message) override { m_target->ShowError(message); }
    void ShowLoadError(LoadKind kind, const std::string& path, const std::string& message) override {
        m_target->ShowLoadError(kind, path, message);
    }
    bool EditSettings(TSettingsValues& values) override { return m_target->EditSettings(values); }
    void ShowMessage(const std::string& text) override { m_target->ShowMessage(text); }
    bool EditStock(TStockFields& fields) override { return m_target->EditStock(fields); }
    bool EditCloseOptions(CloseOptions& options, const CloseDialogLimits& limits) override {
        return m_target->EditCloseOptions(options, limits);
    }
    bool AskSearchAnother() override { return m_target->AskSearchAnother(); }
    std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>& choices) override {
        return m_target->AskConversion(choices);
    }
    std::optional<PrintChoice> AskPrintChoice() override { return m_target->AskPrintChoice(); }
    std::optional<std::string> AskExportName(ExportKind kind, const std::string& suggestedName) override {
        return m_target->AskExportName(kind, suggestedName);
    }

private:
    TPrompter* m_target;
};

}  // namespace quillet
