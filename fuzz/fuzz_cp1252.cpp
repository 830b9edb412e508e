// Any bytes: reading them as Windows-1252 and writing them back gives the same
// bytes; reading them as UTF-8 never crashes, never grows the text, and keeps
// every character whenever FitsCp1252 says it will.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/Cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);

    if (quillet::Utf8ToCp1252(quillet::Cp1252ToUtf8(in)) != in) __builtin_trap();

    const std::string bytes = quillet::Utf8ToCp1252(in);
    if (bytes.size() > in.size()) __builtin_trap();
    if (quillet::FitsCp1252(in) && quillet::Cp1252ToUtf8(bytes) != in) __builtin_trap();
    return 0;
}
