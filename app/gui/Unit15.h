#pragma once
// TForm15: a question with a picture, answered Yes or No.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet {

class TForm15 : public QDialog {
    Q_OBJECT
public:
    explicit TForm15(QWidget* parent = nullptr);
    // True for Yes; No and closing the window are No.
    bool Ask(const QString& question);
    // The same under a caption of its own ("Random Search").
    bool Ask(const QString& question, const QString& caption);

private:
    QLabel* m_label;
    QPushButton* m_yes;
    QPushButton* m_no;
};

}  // namespace quillet
