#pragma once
// The windows of the circuit tools and the stock, made with the main window
// and owned by it: the Track List, Tracks Stock and Stock Control, the Close
// Circuit options and progress, Convert, Circuit Dimensions, Lap Times,
// Print and Suggest Circuits.

#include <functional>

class QWidget;

namespace quillet {

class TForm1;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class TForm8;
class TForm10;
class TForm12;
class TForm14;
class TSuggestForm;

struct TToolWindows {
    TForm1* stock = nullptr;          // Tracks Stock
    TForm3* trackList = nullptr;      // Track List
    TForm4* dimensions = nullptr;     // Circuit Dimensions
    TForm5* closeOptions = nullptr;   // Close Circuit
    TForm6* closeProgress = nullptr;  // the closing's progress
    TForm8* stockControl = nullptr;   // Stock Control, a tool window
    TForm10* print = nullptr;         // Print, with the printer
    TForm12* convert = nullptr;       // Convert
    TForm14* lapTimes = nullptr;      // Lap Times
    TSuggestForm* suggest = nullptr;  // Suggest Circuits
    // The main window's refresh, for commands that show a change before
    // they ask their next question.
    std::function<void()> refresh;

    // Makes every window, children of `parent`.
    void Create(QWidget* parent);
    // Every window's texts in the current language.
    void ApplyLanguage();
};

}  // namespace quillet
