#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "text/Languages.h"
#include "text/TextAssignments.h"

namespace quillet {
namespace {
// A control assigned twice would show whichever text came last; an entry that
// is unused shows an empty caption; items numbered with a gap leave one blank.
TEST(TextAssignments, ListsAreConsistent) {
    std::set<std::string_view> windows;
    for (const WindowTexts& w : AllWindowTexts()) {
        EXPECT_TRUE(windows.insert(w.window).second) << "window listed twice: " << w.window;
        EXPECT_FALSE(w.texts.empty()) << w.window;

        std::set<std::tuple<std::string_view, TextTarget, int>> seen;
        std::map<std::string_view, std::set<int>> items;
        for (const TextAssignment& a : w.texts) {
            const std::string where = std::string(w.window) + "." + std::string(a.object);
            EXPECT_TRUE(seen.insert({a.object, a.target, a.item}).second) << "assigned twice: " << where;
            EXPECT_TRUE(IsUsedEntry(a.entry)) << where << " entry " << a.entry;
            if (a.target == TextTarget::Item) {
                EXPECT_FALSE(a.object.empty()) << where;
                EXPECT_GE(a.item, 0) << where;
                items[a.object].insert(a.item);
            } else {
                EXPECT_EQ(a.item, -1) << where;
            }
            if (a.object.empty()) {
                EXPECT_EQ(a.target, TextTarget::Caption) << w.window;
            }
        }
        for (const auto& [object, numbers] : items) {
            EXPECT_EQ(*numbers.rbegin() + 1, static_cast<int>(numbers.size()))
                << w.window << "." << object << " items are not numbered 0..n-1";
        }
    }
    for (const char* name : {"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm6", "TForm9", "TForm10", "TForm11",
                             "TForm12", "TForm14", "TAboutBox", "TSDIAppForm"}) {
        EXPECT_TRUE(windows.count(name)) << name;
        EXPECT_FALSE(TextsOfWindow(name).empty()) << name;
    }
    EXPECT_EQ(windows.size(), 13u);
    EXPECT_TRUE(TextsOfWindow("TForm8").empty());  // Stock Control keeps its designed caption
}

const TextAssignment* Find(std::string_view window, std::string_view object, TextTarget target, int item = -1) {
    for (const TextAssignment& a : TextsOfWindow(window)) {
        if (a.object == object && a.target == target && a.item == item) return &a;
    }
    return nullptr;
}

TEST(TextAssignments, ComposedTextsInBothLanguages) {
    struct Case {
        std::string_view window, object;
        TextTarget target;
        int item;
        std::string spanish, english;
    };
    const Case cases[] = {
        {"TSDIAppForm", "Close1", TextTarget::Caption, -1, "Cerrar...", "Close..."},
        {"TSDIAppForm", "Close1", TextTarget::Hint, -1, "Cierra el circuito con nuevos tramos",
         "Closes the circuit with new tracks"},
        {"TSDIAppForm", "TemplateDialog", TextTarget::Caption, -1, "Abrir Plantilla", "Open Template"},
        {"TSDIAppForm", "ToolButton36", TextTarget::Hint, -1, TextIn(kSpanish, 98), TextIn(kEnglish, 98)},
        {"TSDIAppForm", "PopupMenu1", TextTarget::Item, 0, "Mando", "Controller"},
        {"TSDIAppForm", "PopupMenu1", TextTarget::Item, 4, "Alimentador", "Power Source"},
        {"TSDIAppForm", "PopupMenu2", TextTarget::Item, 1, "Nieve", "Snow"},
        {"TSDIAppForm", "PopupMenu2", TextTarget::Item, 2, "Tierra", "Sand"},
        {"TForm2", "RadioGroup1", TextTarget::Item, 0, "2 Pistas", "2 Lanes"},
        {"TForm2", "RadioGroup1", TextTarget::Item, 3, "8 Pistas", "8 Lanes"},
        {"TForm2", "RadioGroup2", TextTarget::Item, 1, "Ancho SCX", "SCX Wide"},
        {"TForm2", "", TextTarget::Caption, -1, "Opciones", "Options"},
        {"TForm9", "Button1", TextTarget::Caption, -1, "Sí", "Yes"},
        {"TForm12", "RadioGroup1", TextTarget::Item, 3, "Eliminar 2 Carriles Interiores", "Delete 2 Inner Lanes"},
        {"TForm3", "Label4", TextTarget::Caption, -1, "Faltan", "Default"},
    };
    for (const Case& c : cases) {
        const TextAssignment* a = Find(c.window, c.object, c.target, c.item);
        ASSERT_NE(a, nullptr) << c.window << "." << c.object;
        EXPECT_EQ(AssignedText(*a, kSpanish), c.spanish) << c.window << "." << c.object;
        EXPECT_EQ(AssignedText(*a, kEnglish), c.english) << c.window << "." << c.object;

        SetLanguageIndex(kEnglish);
        EXPECT_EQ(AssignedText(*a), c.english);
        SetLanguageIndex(kSpanish);
        EXPECT_EQ(AssignedText(*a), c.spanish);
    }
}

}  // namespace
}  // namespace quillet
