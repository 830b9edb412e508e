#pragma once
// Which text-table entry goes into which control of which window when the
// language is applied (at start-up and after a change in Settings). Plain
// data: a window walks its list, finds each control by object name and sets
// the property. Controls not listed keep the texts they were designed with.

#include <span>
#include <string>
#include <string_view>

namespace quillet {

enum class TextTarget {
    Caption,  // a control's caption, or the window's own title (empty object)
    Hint,     // a tool tip; "short|long" hints keep their bar
    Item,     // item `item` of a radio group or a pop-up menu
};

struct TextAssignment {
    std::string_view object;  // control name; empty for the window itself
    TextTarget target;
    int entry;                // text-table entry
    int item;                 // item index for TextTarget::Item, else -1
    std::string_view prefix;  // put before the entry ("2" in "2 Lanes")
    std::string_view suffix;  // put after it ("..." in "Close...")
};

struct WindowTexts {
    std::string_view window;  // the form's class name: "TForm2", "TSDIAppForm"
    std::span<const TextAssignment> texts;
};

// Every window that takes texts from the table: the dialogs, then the main
// window (menu captions, menu hints, toolbar hints, the template open dialog's
// title, object "TemplateDialog", and the two pop-up menus).
std::span<const WindowTexts> AllWindowTexts();

// The list of one window, or an empty list for a window not in the table.
std::span<const TextAssignment> TextsOfWindow(std::string_view window);

// prefix + entry + suffix in the given language, or in the current one.
std::string AssignedText(const TextAssignment& a, int language);
std::string AssignedText(const TextAssignment& a);

}  // namespace quillet
