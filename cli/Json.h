#pragma once
// A small JSON value and its writer, enough for what the command-line tool
// prints: objects keep their keys in the order they were added, numbers are
// written so that they read back as the same double, and strings are always
// valid UTF-8.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet::cli {

class Json {
public:
    enum class Kind : uint8_t { Null, Bool, Integer, Number, String, Array, Object };

    Json() = default;  // null
    Json(std::nullptr_t) {}
    Json(bool v) : kind_(Kind::Bool), bool_(v) {}
    Json(int v) : kind_(Kind::Integer), integer_(v) {}
    Json(int64_t v) : kind_(Kind::Integer), integer_(v) {}
    Json(double v) : kind_(Kind::Number), number_(v) {}
    Json(std::string v) : kind_(Kind::String), string_(std::move(v)) {}
    Json(std::string_view v) : kind_(Kind::String), string_(v) {}
    Json(const char* v) : kind_(Kind::String), string_(v) {}

    static Json Array() { return Json(Kind::Array); }
    static Json Object() { return Json(Kind::Object); }
    template <class T>
    static Json ArrayOf(const T& values) {
        Json a = Array();
        for (const auto& v : values) a.Push(Json(v));
        return a;
    }
    // [x, y]
    static Json Pair(double x, double y) {
        Json a = Array();
        a.Push(x);
        a.Push(y);
        return a;
    }

    Kind kind() const { return kind_; }

    // Arrays.
    Json& Push(Json v);
    // Objects: adds the key at the end (keys are not checked for repeats).
    Json& Set(std::string key, Json v);

    // The whole value; arrays of plain values stay on one line, everything
    // else is indented by two blanks per level. Ends without a line break.
    std::string Dump() const;

private:
    explicit Json(Kind kind) : kind_(kind) {}
    bool Flat() const;
    void Write(std::string& out, int indent) const;

    Kind kind_ = Kind::Null;
    bool bool_ = false;
    int64_t integer_ = 0;
    double number_ = 0.0;
    std::string string_;
    std::vector<Json> items_;
    std::vector<std::string> keys_;  // one per item, objects only
};

// A number in the shortest form that reads back as the same double; null for
// values JSON cannot hold (infinities, NaN).
std::string JsonNumber(double v);

// A quoted, escaped string. Ill-formed UTF-8 becomes U+FFFD.
std::string JsonString(std::string_view utf8);

}  // namespace quillet::cli
