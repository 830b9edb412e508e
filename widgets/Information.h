#pragma once
// TForm7: one message under the caption "Information" (text 105), or a
// failure under a caption saying what failed, with OK.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet {

class TForm7 : public QDialog {
    Q_OBJECT
public:
    explicit TForm7(QWidget* parent = nullptr);
    // Shows the message modally, captions in the current language.
    void ShowMessage(const QString& message);
    // The same, with a warning sign under `caption`: something failed.
    void ShowProblem(const QString& message, const QString& caption);

private:
    void Show(const QString& message, bool problem, const QString& caption);
    QLabel* m_icon;
    QLabel* m_label;
    QPushButton* m_ok;
};

}  // namespace quillet
