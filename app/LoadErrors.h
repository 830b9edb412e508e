#pragma once
// A file that could not be loaded, worded for the error window: the reader's
// message is one lower-case line ("cannot read /a/b/c.QLC: line 12: ..."), made
// to be put after other words; the window shows the file's name, its folder
// and the reason on lines of their own, each starting with a capital.

#include <string>
#include <string_view>

namespace quillet {

enum class LoadKind { Circuit, Stock, Template };

// The window's caption for a failed load of that kind.
std::string LoadErrorCaption(LoadKind kind);

// "File: c.QLC\nFolder: /a/b\nLine 12: expected a whole number". `message` is
// what the reader said about `path`; the words naming the file are left out
// of the reason when it starts with them.
std::string LoadErrorText(std::string_view path, std::string_view message);

// The text with its first letter in capitals (ASCII and Latin-1 letters in
// UTF-8; others are left as they are).
std::string WithCapital(std::string_view text);

}  // namespace quillet
