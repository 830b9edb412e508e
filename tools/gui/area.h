#pragma once
// TForm2, the Settings dialog: work area, number of lanes, grid spacing,
// width of the first piece, detail level, colour code, background and
// language. The rules of its fields live in tools/Settings; this is their
// face.

#include <QDialog>

#include "tools/Settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;

namespace quillet {

class TForm2 : public QDialog {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Fills the fields, shows the dialog modally and, on OK, reads them back.
    bool Edit(TSettingsValues& values);

    // The fields without showing the dialog (what Edit shows, what OK reads).
    void Load(const TSettingsValues& values);
    TSettingsValues Values() const;

    // OK: refuses while a number field is empty, saying which.
    void Button1Click();
    void ApplyLanguage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Edit1Exit();
    void Edit2Exit();
    void Edit3Exit();

    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QLineEdit* m_edit3;
    QGroupBox* m_lanes;
    QRadioButton* m_laneItems[4];
    QGroupBox* m_brand;
    QRadioButton* m_brandItems[2];
    QSlider* m_detail;
    QLabel* m_detailMin;
    QLabel* m_detailMax;
    QCheckBox* m_colourCode;
    QComboBox* m_background;
    QComboBox* m_language;
    QPushButton* m_ok;
    // The sizes in cm that an emptied or zeroed field goes back to.
    int32_t m_lengthCm = 0;
    int32_t m_widthCm = 0;
    int32_t m_gridCm = 0;
};

}  // namespace quillet
