#pragma once
// TForm1, the Tracks Stock dialog: five pages of pieces and borders, each row
// the piece's picture, its name and a field per track system, NINCO on the
// left and SCX on the right. The field table and the check before OK live in
// stock/StockFields; this is their face.

#include <QDialog>
#include <array>

#include "stock/StockFields.h"

class QLineEdit;
class QPushButton;
class QTabWidget;

namespace quillet {

class TForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    // FormShow, the dialog shown modally and, on OK, the fields read back.
    bool Edit(TStockFields& fields);

    // The fields without showing the dialog.
    void Load(const TStockFields& fields);
    TStockFields Values() const;
    QLineEdit* Field(StockFieldIndex field) const { return m_fields[static_cast<std::size_t>(field)]; }
    QTabWidget* Pages() const { return m_pages; }

    // OK: closes only when every field holds a count; otherwise says which
    // field is wrong, shows it and stays open.
    void Button4Click();
    void ApplyLanguage();

private:
    QTabWidget* m_pages;
    std::array<QLineEdit*, kStockFieldCount> m_fields{};
    QPushButton* m_ok;
};

}  // namespace quillet
