#pragma once
// TForm12, Convert: two lanes more or two lanes fewer, on the outside or on
// the inside, offered by the circuit's lane count.

#include <QDialog>
#include <array>
#include <optional>
#include <vector>

#include "tools/LaneConversion.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace quillet {

class TForm12 : public QDialog {
    Q_OBJECT
public:
    explicit TForm12(QWidget* parent = nullptr);

    // Shows the choices in their order, the first preselected; the choice
    // on OK, nothing on Cancel.
    std::optional<ConversionKind> Ask(const std::vector<ConversionKind>& choices);

    // Without showing the dialog.
    void Offer(const std::vector<ConversionKind>& choices);
    std::optional<ConversionKind> Chosen() const;
    // RadioGroup1's item of a kind (155 to 158 in order).
    QRadioButton* Item(ConversionKind kind) const { return m_items[static_cast<std::size_t>(kind)]; }
    void ApplyLanguage();

private:
    QGroupBox* m_group;
    std::array<QRadioButton*, 4> m_items{};
};

}  // namespace quillet
