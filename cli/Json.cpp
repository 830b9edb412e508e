#include "cli/Json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quillet::cli {

Json& Json::Push(Json v) {
    items_.push_back(std::move(v));
    return items_.back();
}

Json& Json::Set(std::string key, Json v) {
    keys_.push_back(std::move(key));
    items_.push_back(std::move(v));
    return items_.back();
}

std::string JsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    // to_chars without a format gives the shortest text that round-trips.
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, result.ptr);
}

namespace {

// Length of the well-formed UTF-8 sequence at s[i], or 0.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    const auto continuation = [&](std::size_t k, unsigned char lo = 0x80, unsigned char hi = 0xBF) {
        return k < s.size() && byte(k) >= lo && byte(k) <= hi;
    };
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) return continuation(i + 1) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        // No overlong forms, no surrogates.
        const unsigned char lo = b0 == 0xE0 ? 0xA0 : 0x80;
        const unsigned char hi = b0 == 0xED ? 0x9F : 0xBF;
        return continuation(i + 1, lo, hi) && continuation(i + 2) ? 3 : 0;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        const unsigned char lo = b0 == 0xF0 ? 0x90 : 0x80;
        const unsigned char hi = b0 == 0xF4 ? 0x8F : 0xBF;
        return continuation(i + 1, lo, hi) && continuation(i + 2) && continuation(i + 3) ? 4 : 0;
    }
    return 0;
}

}  // namespace

std::string JsonString(std::string_view s) {
    std::string out;
    out.reserve(s.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < s.size();) {
        const char c = s[i];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t n = SequenceLength(s, i);
            if (n == 0) {
                out += "\xEF\xBF\xBD";  // U+FFFD for each byte that is no character
                ++i;
            } else {
                out.append(s.substr(i, n));
                i += n;
            }
            continue;
        }
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            default:
                if (u < 0x20) {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(u));
                    out += escape;
                } else {
                    out += c;
                }
        }
        ++i;
    }
    out += '"';
    return out;
}

bool Json::Flat() const {
    if (kind_ == Kind::Object) return items_.empty();
    if (kind_ != Kind::Array) return true;
    for (const Json& item : items_) {
        if (item.kind_ == Kind::Array || item.kind_ == Kind::Object) return false;
    }
    return true;
}

void Json::Write(std::string& out, int indent) const {
    switch (kind_) {
        case Kind::Null: out += "null"; return;
        case Kind::Bool: out += bool_ ? "true" : "false"; return;
        case Kind::Integer: out += std::to_string(integer_); return;
        case Kind::Number: out += JsonNumber(number_); return;
        case Kind::String: out += JsonString(string_); return;
        case Kind::Array:
        case Kind::Object: break;
    }
    const bool object = kind_ == Kind::Object;
    const char open = object ? '{' : '[';
    const char close = object ? '}' : ']';
    if (Flat()) {
        out += open;
        for (std::size_t i = 0; i < items_.size(); ++i) {
            if (i > 0) out += ", ";
            items_[i].Write(out, indent);
        }
        out += close;
        return;
    }
    const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
    out += open;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        out += i > 0 ? ",\n" : "\n";
        out += inner;
        if (object) {
            out += JsonString(keys_[i]);
            out += ": ";
        }
        items_[i].Write(out, indent + 2);
    }
    out += '\n';
    out.append(static_cast<std::size_t>(indent), ' ');
    out += close;
}

std::string Json::Dump() const {
    std::string out;
    Write(out, 0);
    return out;
}

}  // namespace quillet::cli
