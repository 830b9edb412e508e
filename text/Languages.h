#pragma once
// The interface texts in Spanish and English, and the current language.
//
// Every caption, hint and message is an entry of one table, addressed by
// (language, entry number 0..239). The strings are UTF-8 in memory; they are
// converted to Windows-1252 only where they reach a file.
//
// Hints are "short|long": the part before the bar is the tool tip, the part
// after it the status-bar text.

#include <string>
#include <string_view>

namespace quillet {

inline constexpr int kSpanish = 1;
inline constexpr int kEnglish = 2;
inline constexpr int kTextEntries = 240;

// Entry 73, the title of a circuit that has never been saved.
inline constexpr int kUntitledEntry = 73;

// The current language index, 1 (Spanish) at start.
int LanguageIndex();

// Sets the language. The stock file can hold any integer, so only 2 selects
// English; every other value, 1 included, selects Spanish, the language of a
// first start.
void SetLanguageIndex(int language);

// Entry n of the current language, read at the moment of the call. An entry
// number outside 0..239 gives an empty string.
const std::string& Text(int n);

// Entry n of the given language (normalised as SetLanguageIndex does).
const std::string& TextIn(int language, int n);

// True for the entries that carry a text: 0..239 except 199 and 239.
bool IsUsedEntry(int n);

// True when the title is entry 73 of either language.
bool IsUntitledTitle(std::string_view title);

// The title a circuit with no file takes when the language changes to
// `language`: the untitled text, alone or numbered by New ("Untitled 3"),
// follows the language; any other name is kept. (A circuit opened from or
// saved to a file keeps its name whatever it reads: the editor does not ask.)
std::string TitleForLanguage(std::string_view title, int language);

}  // namespace quillet
