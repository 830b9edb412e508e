#include "text/TextAssignments.h"

#include "text/Languages.h"

namespace quillet {

namespace {

constexpr TextAssignment Title(int entry) { return {"", TextTarget::Caption, entry, -1, "", ""}; }
constexpr TextAssignment Caption(std::string_view object, int entry, std::string_view suffix = "") {
    return {object, TextTarget::Caption, entry, -1, "", suffix};
}
constexpr TextAssignment Hint(std::string_view object, int entry) {
    return {object, TextTarget::Hint, entry, -1, "", ""};
}
constexpr TextAssignment Item(std::string_view object, int item, int entry, std::string_view prefix = "") {
    return {object, TextTarget::Item, entry, item, prefix, ""};
}

// Circuit Dimensions.
constexpr TextAssignment kForm4[] = {
    Title(0),
    Caption("GroupBox1", 0),
    Caption("GroupBox3", 3),
    Caption("Label12", 7),
    Caption("Label13", 8),
    Caption("GroupBox2", 4),
};

// Track List.
constexpr TextAssignment kForm3[] = {
    Title(13), Caption("Label1", 9), Caption("Label2", 10), Caption("Label3", 11), Caption("Label4", 12),
};

constexpr TextAssignment kAbout[] = {Title(53)};

// Tracks Stock.
constexpr TextAssignment kForm1[] = {
    Title(54),
    Caption("TabSheet1", 55),
    Caption("TabSheet2", 56),
    Caption("TabSheet3", 57),
    Caption("TabSheet4", 58),
    Caption("TabSheet5", 129),
    Caption("Button2", 72),
    Caption("Label1", 14),
    Caption("Label4", 15),
    Caption("Label5", 16),
    Caption("Label6", 21),
    Caption("Label7", 18),
    Caption("Label15", 17),
    Caption("Label16", 19),
    Caption("Label17", 20),
    Caption("Label10", 23),
    Caption("Label13", 22),
    Caption("Label18", 25),
    Caption("Label21", 26),
    Caption("Label22", 27),
    Caption("Label23", 128),
    Caption("Label24", 126),
    Caption("Label25", 113),
    Caption("Label26", 114),
    Caption("Label27", 115),
    Caption("Label28", 31),
    Caption("Label31", 130),
    Caption("Label32", 29),
    Caption("Label33", 28),
    Caption("Label34", 33),
    Caption("Label35", 32),
    Caption("Label36", 35),
    Caption("Label37", 34),
    Caption("Label38", 193),
    Caption("Label39", 194),
};

// Settings.
constexpr TextAssignment kForm2[] = {
    Title(59),
    Caption("GroupBox1", 60),
    Caption("Label1", 61),
    Caption("Label2", 62),
    Caption("GroupBox4", 63),
    Caption("GroupBox2", 64),
    Caption("Label3", 65),
    Caption("GroupBox3", 66),
    Caption("RadioGroup1", 67),
    Item("RadioGroup1", 0, 68, "2"),
    Item("RadioGroup1", 1, 68, "4"),
    Item("RadioGroup1", 2, 68, "6"),
    Item("RadioGroup1", 3, 68, "8"),
    Caption("RadioGroup2", 69),
    Item("RadioGroup2", 0, 70),
    Item("RadioGroup2", 1, 71),
    Caption("Button2", 72),
    Caption("CheckBox1", 106),
    Caption("GroupBox5", 208),
};

// Closing options.
constexpr TextAssignment kForm5[] = {
    Title(99),
    Caption("GroupBox2", 100),
    Caption("CheckBox1", 14),
    Caption("CheckBox2", 15),
    Caption("CheckBox3", 16),
    Caption("CheckBox4", 18),
    Caption("CheckBox5", 17),
    Caption("CheckBox6", 19),
    Caption("CheckBox7", 20),
    Caption("Button1", 72),
    Caption("Button2", 123),
    Caption("CheckBox8", 124),
    Caption("GroupBox1", 125),
    Caption("CheckBox9", 205),
};

// Closing progress.
constexpr TextAssignment kForm6[] = {Title(102), Caption("Label1", 101)};

// Save question: no title of its own.
constexpr TextAssignment kForm9[] = {
    Caption("Label1", 116),
    Caption("Button1", 117),
    Caption("Button2", 118),
    Caption("Button3", 72),
};

// Notes.
constexpr TextAssignment kForm11[] = {Title(141), Caption("Button1", 123)};

// Print.
constexpr TextAssignment kForm10[] = {
    Title(146),
    Caption("Button3", 151),
    Caption("GroupBox1", 147),
    Caption("RadioGroup1", 146),
    Item("RadioGroup1", 0, 149),
    Item("RadioGroup1", 1, 150),
};

// Lane conversion. The dialog refills its items by lane count when it opens;
// these are the four it can show.
constexpr TextAssignment kForm12[] = {
    Title(153),
    Caption("Button1", 123),
    Caption("Button2", 72),
    Caption("RadioGroup1", 154),
    Item("RadioGroup1", 0, 155),
    Item("RadioGroup1", 1, 156),
    Item("RadioGroup1", 2, 157),
    Item("RadioGroup1", 3, 158),
};

// Lap times.
constexpr TextAssignment kForm14[] = {
    Title(204), Caption("GroupBox1", 211), Caption("Label15", 202), Caption("Label16", 203), Caption("CheckBox1", 212),
};

constexpr TextAssignment kMain[] = {
    // Menu captions.
    Caption("WorkingArea1", 36),
    Caption("Tracks1", 37),
    Caption("Stock1", 38),
    Caption("TracksList1", 39),
    Caption("CircuitDimensions1", 40),
    Caption("HelpAboutItem", 41),
    Caption("Help1", 42),
    Caption("File1", 43),
    Caption("FileNewItem", 44),
    Caption("FileOpenItem", 45),
    Caption("FileSaveItem", 46),
    Caption("FileSaveAsItem", 47),
    Caption("FileExitItem", 48),
    Caption("Edit1", 49),
    Caption("Close1", 103, "..."),
    Caption("Undo1", 168),
    Caption("Delete1", 169),
    Caption("OpenTemplate1", 191),
    Caption("Print1", 196),
    Caption("Convert1", 165),
    Caption("Equilibrate1", 166),
    Caption("Notes1", 167),
    Caption("CopyItem", 51),
    Caption("CutTrack1", 233),
    Caption("CopyTrack1", 234),
    Caption("PasteTrack1", 235),
    Caption("SelectAll1", 236),
    Caption("Reglas1", 238),

    // Menu hints. HelpAbout1 is the action behind HelpAboutItem.
    Hint("Delete1", 170),
    Hint("Undo1", 171),
    Hint("CopyItem", 172),
    Hint("WorkingArea1", 174),
    Hint("TracksList1", 175),
    Hint("CircuitDimensions1", 176),
    Hint("Stock1", 177),
    Hint("StockControl1", 178),
    Hint("Equilibrate1", 180),
    Hint("Close1", 179),
    Hint("FileNewItem", 183),
    Hint("FileOpenItem", 184),
    Hint("FileSaveItem", 185),
    Hint("FileSaveAsItem", 186),
    Hint("FileExitItem", 187),
    Hint("OpenTemplate1", 192),
    Hint("Print1", 197),
    Hint("Convert1", 182),
    Hint("Notes1", 181),
    Hint("CutTrack1", 229),
    Hint("CopyTrack1", 230),
    Hint("PasteTrack1", 231),
    Hint("SelectAll1", 232),
    Hint("HelpAbout1", 173),

    // Toolbar button hints.
    Hint("ToolButton60", 200),
    Hint("ToolButton19", 74),
    Hint("ToolButton20", 75),
    Hint("ToolButton22", 76),
    Hint("ToolButton24", 77),
    Hint("ToolButton25", 78),
    Hint("ToolButton26", 79),
    Hint("ToolButton27", 81),
    Hint("ToolButton29", 82),
    Hint("ToolButton30", 83),
    Hint("ToolButton31", 84),
    Hint("ToolButton32", 85),
    Hint("ToolButton10", 86),
    Hint("ToolButton8", 87),
    Hint("ToolButton18", 88),
    Hint("ToolButton12", 89),
    Hint("ToolButton11", 90),
    Hint("ToolButton17", 91),
    Hint("ToolButton16", 92),
    Hint("ToolButton14", 93),
    Hint("ToolButton15", 94),
    Hint("ToolButton34", 95),
    Hint("ToolButton39", 96),
    Hint("ToolButton38", 97),
    Hint("ToolButton36", 98),
    Hint("ToolButton43", 108),
    Hint("ToolButton44", 109),
    Hint("ToolButton28", 110),
    Hint("ToolButton45", 111),
    Hint("ToolButton46", 112),
    Hint("ToolButton6", 131),
    Hint("ToolButton54", 132),
    Hint("ToolButton9", 133),
    Hint("ToolButton1", 134),
    Hint("ToolButton2", 135),
    Hint("ToolButton53", 136),
    Hint("ToolButton49", 138),
    Hint("ToolButton52", 139),
    Hint("ToolButton55", 140),
    Hint("ToolButton47", 145),
    Hint("ToolButton4", 144),
    Hint("ToolButton51", 143),
    Hint("ToolButton50", 142),
    Hint("ToolButton56", 137),
    Hint("ToolButton40", 148),
    Hint("ToolButton5", 106),
    Hint("ToolButton58", 164),
    Hint("ToolButton42", 189),
    Hint("ToolButton59", 188),
    Hint("ToolButton61", 201),
    Hint("ToolButton62", 210),
    Hint("ToolButton63", 213),
    Hint("ToolButton23", 214),
    Hint("ToolButton57", 224),
    Hint("ToolButton65", 227),
    Hint("ToolButton64", 228),

    // The template open dialog's title.
    Caption("TemplateDialog", 190),

    // Icon menu: controller, lap counter, start, assistant, power source.
    Item("PopupMenu1", 0, 215),
    Item("PopupMenu1", 1, 216),
    Item("PopupMenu1", 2, 217),
    Item("PopupMenu1", 3, 218),
    Item("PopupMenu1", 4, 223),
    // Surface menu: asphalt, snow, sand, water.
    Item("PopupMenu2", 0, 219),
    Item("PopupMenu2", 1, 220),
    Item("PopupMenu2", 2, 221),
    Item("PopupMenu2", 3, 222),
};

constexpr WindowTexts kWindows[] = {
    {"TForm4", kForm4},   {"TForm3", kForm3},   {"TAboutBox", kAbout},  {"TForm1", kForm1},   {"TForm2", kForm2},
    {"TForm5", kForm5},   {"TForm6", kForm6},   {"TForm9", kForm9},     {"TForm11", kForm11}, {"TForm10", kForm10},
    {"TForm12", kForm12}, {"TForm14", kForm14}, {"TSDIAppForm", kMain},
};

}  // namespace

std::span<const WindowTexts> AllWindowTexts() { return kWindows; }

std::span<const TextAssignment> TextsOfWindow(std::string_view window) {
    for (const WindowTexts& w : kWindows) {
        if (w.window == window) return w.texts;
    }
    return {};
}

std::string AssignedText(const TextAssignment& a, int language) {
    std::string s(a.prefix);
    s += TextIn(language, a.entry);
    s += a.suffix;
    return s;
}

std::string AssignedText(const TextAssignment& a) { return AssignedText(a, LanguageIndex()); }

}  // namespace quillet
