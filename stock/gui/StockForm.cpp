#include "stock/gui/StockForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "stock/gui/PiecePictures.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"
#include "widgets/Information.h"

namespace quillet {

namespace {

constexpr int kFieldDigits = 6;
constexpr int kPictureColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kNincoColumn = 2;
constexpr int kScxColumn = 3;

QLabel* Heading(QWidget* parent, const char* text) {
    auto* l = new QLabel(QLatin1String(text), parent);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm1"));
    setModal(true);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    std::array<QGridLayout*, kStockPages> grids{};
    for (int p = 0; p < kStockPages; ++p) {
        auto* page = new QWidget(m_pages);
        page->setObjectName(QStringLiteral("TabSheet%1").arg(p + 1));
        auto* grid = new QGridLayout(page);
        grid->setHorizontalSpacing(12);
        grid->addWidget(Heading(page, "NINCO"), 0, kNincoColumn);
        grid->addWidget(Heading(page, "SCX"), 0, kScxColumn);
        grid->setColumnStretch(kNameColumn, 1);
        grids[static_cast<std::size_t>(p)] = grid;
        m_pages->addTab(page, QString());
    }

    const std::span<const StockRowDef> rows = StockRows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const StockRowDef& row = rows[r];
        QGridLayout* grid = grids[static_cast<std::size_t>(row.page)];
        QWidget* page = grid->parentWidget();
        const int line = grid->rowCount();
        auto* picture = new QLabel(page);
        picture->setPixmap(PiecePicture(row.pictureType, row.pictureBorder, row.ninco >= 0));
        grid->addWidget(picture, line, kPictureColumn);
        grid->addWidget(NamedLabel(page, row.label.data()), line, kNameColumn);
        for (const StockFieldIndex f : {row.ninco, row.scx}) {
            if (f < 0) continue;
            const StockFieldDef& def = StockFields()[static_cast<std::size_t>(f)];
            QLineEdit* edit = DigitsField(page, QLatin1String(def.edit.data(), static_cast<qsizetype>(def.edit.size())),
                                          kFieldDigits);
            edit->setText(QStringLiteral("0"));
            m_fields[static_cast<std::size_t>(f)] = edit;
            grid->addWidget(edit, line, def.brand == kNincoIndex ? kNincoColumn : kScxColumn, Qt::AlignCenter);
        }
    }
    // The barrier caption of the text table names no stock value (crash
    // barriers are not counted); it stays with the borders, unshown.
    NamedLabel(m_pages->widget(static_cast<int>(StockPage::Borders)), "Label24")->hide();
    for (QGridLayout* grid : grids) grid->setRowStretch(grid->rowCount(), 1);
    // Tab goes down the NINCO column of a page, then the SCX one.
    QWidget* previous = nullptr;
    for (const bool ninco : {true, false}) {
        for (const StockFieldDef& def : StockFields()) {
            if ((def.brand == kNincoIndex) != ninco) continue;
            QLineEdit* edit = m_fields[static_cast<std::size_t>(&def - StockFields().data())];
            if (previous != nullptr) setTabOrder(previous, edit);
            previous = edit;
        }
    }

    m_ok = NamedButton(this, "Button4");
    m_ok->setDefault(true);
    QPushButton* cancel = NamedButton(this, "Button2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &TForm1::Button4Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm1::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm1");
    m_ok->setText(QStr(Text(123)));  // "OK"
}

void TForm1::Load(const TStockFields& fields) {
    for (int f = 0; f < kStockFieldCount; ++f)
        m_fields[static_cast<std::size_t>(f)]->setText(QStr(fields[static_cast<std::size_t>(f)]));
}

TStockFields TForm1::Values() const {
    TStockFields fields;
    for (int f = 0; f < kStockFieldCount; ++f)
        fields[static_cast<std::size_t>(f)] = StdStr(m_fields[static_cast<std::size_t>(f)]->text());
    return fields;
}

void TForm1::Button4Click() {
    const std::optional<StockFieldProblem> problem = CheckStockFields(Values());
    if (!problem) {
        accept();
        return;
    }
    // Show the field at fault on its page, ready to be typed over.
    QLineEdit* field = Field(problem->field);
    const StockRowDef& row =
        StockRows()[static_cast<std::size_t>(StockFields()[static_cast<std::size_t>(problem->field)].row)];
    m_pages->setCurrentIndex(static_cast<int>(row.page));
    TForm7 message(this);
    message.ShowMessage(QStr(StockFieldProblemText(*problem)));
    field->setFocus();
    field->selectAll();
}

bool TForm1::Edit(TStockFields& fields) {
    Load(fields);
    m_pages->setCurrentIndex(0);
    Field(0)->setFocus();
    if (exec() != QDialog::Accepted) return false;
    fields = Values();
    return true;
}

}  // namespace quillet
