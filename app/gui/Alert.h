#pragma once
// TForm9: the question before unsaved work would be dropped, "Do you wish to
// save changes?" with Yes (the default), No and Cancel.

#include <QDialog>

#include "app/Prompter.h"

class QLabel;
class QPushButton;

namespace quillet {

class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
    // Shows the question modally; closing it any other way is Cancel.
    SaveAnswer Ask();
    void ApplyLanguage();

private:
    QLabel* m_label;
    QPushButton* m_yes;
    QPushButton* m_no;
    QPushButton* m_cancel;
};

}  // namespace quillet
