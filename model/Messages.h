#pragma once
// How the core tells the user something without showing anything itself.
// The core names a text-table entry; the windows implement the interface and
// show the text in the user's language.

#include <string>

namespace quillet {

// Text-table entries the model reports.
constexpr int kTextSelectTrackBeforeInserting = 104;  // "You must select a track before inserting."
constexpr int kTextInformationCaption = 105;          // "Information"
constexpr int kTextSelectBorderedCurve = 127;         // "You must first select a bordered curve."
constexpr int kTextCantFind = 195;                    // "Can´t find " (a file name follows)
constexpr int kTextSelectCurve = 209;                 // "You must select a curve."

class TInformer {
public:
    virtual ~TInformer() = default;
    // One message in the "Information" window (caption entry 105); the suffix
    // is appended to the text as it is (a file name, for instance).
    virtual void Information(int textEntry, const std::string& suffix = {}) = 0;
};

}  // namespace quillet
