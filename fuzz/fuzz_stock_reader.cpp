// Any bytes read as a stock file: never crash, leave the language within
// 1..2 and every count within 0..99999, name a line for every fault, and
// whatever was read writes back as a sound file that reads the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "stock/StockFile.h"
#include "text/Languages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillet;
    const std::string_view in(reinterpret_cast<const char*>(data), size);

    SetLanguageIndex(kSpanish);
    TTrackList stock;
    const TStockReadResult read = LoadStock(stock, in);

    if (LanguageIndex() != kSpanish && LanguageIndex() != kEnglish) __builtin_trap();
    for (int brand : {kScxIndex, kNincoIndex}) {
        for (int type = 0; type < kTrackTypeCount; ++type) {
            const int32_t n = stock.Pieces(brand, type);
            if (n < 0 || n > kMaxStockCount) __builtin_trap();
        }
        for (int kind = 0; kind < kBorderKinds; ++kind) {
            const int32_t n = stock.Borders(brand, kind);
            if (n < 0 || n > kMaxStockCount) __builtin_trap();
        }
    }
    if (read.Damaged() != (read.line >= 1)) __builtin_trap();
    if (read.Damaged() == StockFaultText(read).empty()) __builtin_trap();

    const int language = LanguageIndex();
    const std::string bytes = SaveStock(stock);
    TTrackList again;
    SetLanguageIndex(language == kSpanish ? kEnglish : kSpanish);
    if (LoadStock(again, bytes).Damaged() || !(again == stock) || LanguageIndex() != language) __builtin_trap();
    return 0;
}
