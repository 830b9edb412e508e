#pragma once
// TAboutBox: the program's name, version and purpose; also the opening
// screen.

#include <QDialog>

class QLabel;
class QPushButton;

namespace quillet {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
    void ApplyLanguage();

private:
    QLabel* m_version;
    QLabel* m_purpose;
    QPushButton* m_ok;
};

}  // namespace quillet
