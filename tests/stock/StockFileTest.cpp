#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "StockTestSupport.h"
#include "stock/StockFile.h"
#include "text/Languages.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string Join(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& line : lines) s += line + "\r\n";
    return s;
}

// The count a file line holds, by the layout: 2..16 SCX pieces, 17..31 NINCO
// pieces, 32..43 SCX borders, 44..55 NINCO borders.
void SetLine(TTrackList& t, int line, int32_t value) {
    if (line <= 16)
        t.SetPieces(kScxIndex, line - 2, value);
    else if (line <= 31)
        t.SetPieces(kNincoIndex, line - 17, value);
    else if (line <= 43)
        t.SetBorders(kScxIndex, line - 32, value);
    else
        t.SetBorders(kNincoIndex, line - 44, value);
}

// A sound file in English whose line L (2..55) holds the count L.
std::vector<std::string> NumberedLines() {
    std::vector<std::string> lines{"2"};
    for (int line = 2; line <= 55; ++line) lines.push_back(std::to_string(line));
    return lines;
}

// What reading NumberedLines() with the given lines spoiled or missing keeps.
TTrackList NumberedTable(const std::set<int>& lost, int present = 55) {
    TTrackList t;
    for (int line = 2; line <= present; ++line) {
        if (!lost.contains(line)) SetLine(t, line, line);
    }
    return t;
}

class StockFileTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageIndex(kSpanish); }
    void TearDown() override { SetLanguageIndex(kSpanish); }
};

TEST_F(StockFileTest, RoundTripKeepsEveryCountAndTheLanguage) {
    TTrackList stock;
    stock.SetPieces(kScxIndex, kStandardStraight, 12);                  // line 2
    stock.SetPieces(kScxIndex, kSingleRacingOuterCurve, 3);             // line 2 + 14 = 16
    stock.SetPieces(kNincoIndex, kStandardStraight, 40);                // line 17
    stock.SetPieces(kNincoIndex, kAdaptationChicane, 2);                // line 17 + 8 = 25
    stock.SetBorders(kScxIndex, kCurveClosingBorder, 5);                // line 32
    stock.SetBorders(kScxIndex, kSuperOuterCurveInnerBorder, 6);        // line 32 + 11 = 43
    stock.SetBorders(kNincoIndex, kHalfStraightBorder, 9);              // line 44 + 2 = 46
    stock.SetBorders(kNincoIndex, kSuperOuterCurveInnerBorder, 99999);  // line 55
    std::vector<std::string> lines(55, "0");
    lines[0] = "2";
    lines[2 - 1] = "12";
    lines[16 - 1] = "3";
    lines[17 - 1] = "40";
    lines[25 - 1] = "2";
    lines[32 - 1] = "5";
    lines[43 - 1] = "6";
    lines[46 - 1] = "9";
    lines[55 - 1] = "99999";
    const std::string bytes = Join(lines);

    SetLanguageIndex(kEnglish);
    EXPECT_EQ(SaveStock(stock), bytes);

    SetLanguageIndex(kSpanish);
    TTrackList read;
    read.SetPieces(kScxIndex, kOuterCurve, 77);  // replaced by the file's 0
    EXPECT_FALSE(LoadStock(read, bytes).Damaged());
    EXPECT_EQ(read, stock);
    EXPECT_EQ(LanguageIndex(), kEnglish);

    const std::string spanish = StockFileBytes(stock, kSpanish);
    EXPECT_EQ(spanish, "1" + bytes.substr(1));
    EXPECT_FALSE(LoadStock(read, spanish).Damaged());
    EXPECT_EQ(LanguageIndex(), kSpanish);

    // The same file with other line ends, trailing blank lines or an end-of-
    // file mark reads the same.
    std::string lf = bytes, cr = bytes;
    std::erase(lf, '\r');
    std::erase(cr, '\n');
    for (const std::string& variant : {lf, cr, bytes + "\r\n  \r\n", bytes + "\x1a junk", lf + "\n"}) {
        TTrackList t;
        EXPECT_EQ(LoadStock(t, variant), TStockReadResult{});
        EXPECT_EQ(t, stock);
    }
}

TEST_F(StockFileTest, DamagedFilesKeepWhatIsValidAndNameTheFirstBadLine) {
    struct Case {
        const char* what;
        std::string bytes;
        StockFault fault;
        int line;
        int languageAfter;  // read with English set before
        TTrackList kept;
    };
    auto spoiled = [](std::initializer_list<std::pair<int, std::string>> changes) {
        std::vector<std::string> lines = NumberedLines();
        for (const auto& [line, text] : changes) lines[static_cast<std::size_t>(line - 1)] = text;
        return Join(lines);
    };
    std::vector<std::string> first30 = NumberedLines();
    first30.resize(30);
    std::vector<std::string> first3 = NumberedLines();
    first3.resize(3);
    TTrackList with99999 = NumberedTable({20, 21, 22});
    SetLine(with99999, 22, 99999);
    std::vector<std::string> extra = NumberedLines();
    extra.push_back("");
    extra.push_back("hello");

    const Case cases[] = {
        {"short", Join(first3), StockFault::EndsEarly, 4, kEnglish, NumberedTable({}, 3)},
        {"short, LF line ends", "2\n2\n3\n", StockFault::EndsEarly, 4, kEnglish, NumberedTable({}, 3)},
        {"cut after line 30, mid-line", Join(first30) + "3", StockFault::EndsEarly, 32, kEnglish,
         [] {
             TTrackList t = NumberedTable({}, 30);
             SetLine(t, 31, 3);
             return t;
         }()},
        {"not a number", spoiled({{12, "abc"}}), StockFault::NotANumber, 12, kEnglish, NumberedTable({12})},
        {"decimal", spoiled({{40, "3.5"}}), StockFault::NotANumber, 40, kEnglish, NumberedTable({40})},
        {"blank line", spoiled({{30, ""}}), StockFault::NotANumber, 30, kEnglish, NumberedTable({30})},
        {"out of range, first of several", spoiled({{20, "100000"}, {21, "-3"}, {22, "99999"}}),
         StockFault::CountOutOfRange, 20, kEnglish, with99999},
        {"too large for any integer", spoiled({{5, "99999999999999999999"}}), StockFault::CountOutOfRange, 5, kEnglish,
         NumberedTable({5})},
        {"first fault wins", spoiled({{3, "x"}, {2, "-1"}}), StockFault::CountOutOfRange, 2, kEnglish,
         NumberedTable({2, 3})},
        {"unknown language", spoiled({{1, "7"}}), StockFault::LanguageOutOfRange, 1, kSpanish, NumberedTable({})},
        {"language not a number", spoiled({{1, "English"}}), StockFault::NotANumber, 1, kEnglish, NumberedTable({})},
        {"text after the last count", Join(extra), StockFault::UnexpectedText, 57, kEnglish, NumberedTable({})},
        {"empty", "", StockFault::EndsEarly, 1, kEnglish, TTrackList{}},
        {"garbage bytes", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), StockFault::NotANumber, 1, kEnglish,
         TTrackList{}},
        {"binary with NUL", std::string("\0\xff\xfe\r\n12\r\n", 9), StockFault::NotANumber, 1, kEnglish,
         [] {
             TTrackList t;
             SetLine(t, 2, 12);
             return t;
         }()},
    };
    for (const Case& k : cases) {
        SetLanguageIndex(kEnglish);
        TTrackList t;
        t.SetPieces(kNincoIndex, kOuterCurve, 1234);  // never survives a load
        const TStockReadResult r = LoadStock(t, k.bytes);
        EXPECT_EQ(r.fault, k.fault) << k.what;
        EXPECT_EQ(r.line, k.line) << k.what;
        EXPECT_EQ(LanguageIndex(), k.languageAfter) << k.what;
        EXPECT_EQ(t, k.kept) << k.what;
    }
}

TEST_F(StockFileTest, EveryCountReadAsZeroIsNamed) {
    auto spoiled = [](std::initializer_list<int> bad) {
        std::vector<std::string> lines = NumberedLines();
        for (const int line : bad) lines[static_cast<std::size_t>(line - 1)] = "x";
        return Join(lines);
    };
    SetLanguageIndex(kEnglish);
    TTrackList t;
    // One bad line: named once, as before.
    TStockReadResult r = LoadStock(t, spoiled({12}));
    EXPECT_EQ(r.zeroedLines, (std::vector<int>{12}));
    EXPECT_EQ(StockFaultText(r), "stock file damaged at line 12: not a whole number");
    // Three, one out of range: the first says what is wrong, all are named.
    std::vector<std::string> lines = NumberedLines();
    lines[4] = "x";
    lines[19] = "100000";
    lines[53] = "";
    r = LoadStock(t, Join(lines));
    EXPECT_EQ(r.line, 5);
    EXPECT_EQ(r.zeroedLines, (std::vector<int>{5, 20, 54}));
    EXPECT_EQ(StockFaultText(r), "stock file damaged at line 5: not a whole number; lines 5, 20, 54 read as 0");
    EXPECT_EQ(t, NumberedTable({5, 20, 54}));
    // Many: the first eight, then how many more. A bad line 1 is no count.
    r = LoadStock(t, spoiled({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 30, 55}));
    EXPECT_EQ(r.line, 1);
    EXPECT_EQ(StockFaultText(r),
              "stock file damaged at line 1: not a whole number; lines 2, 3, 4, 5, 6, 7, 8, 9 and 4 more read as 0");
    SetLanguageIndex(kSpanish);
    EXPECT_EQ(StockFaultText(r),
              "archivo de stock dañado en la línea 1: no es un número entero; leídas como 0 las líneas 2, 3, 4, 5, 6, "
              "7, 8, 9 y 4 más");
}

TEST_F(StockFileTest, FaultsReadInTheUsersLanguage) {
    SetLanguageIndex(kEnglish);
    EXPECT_EQ(StockFaultText({StockFault::CountOutOfRange, 20, {}}),
              "stock file damaged at line 20: not a count from 0 to 99999");
    SetLanguageIndex(kSpanish);
    EXPECT_EQ(StockFaultText({StockFault::LanguageOutOfRange, 1, {}}),
              "archivo de stock dañado en la línea 1: no es 1 (español) ni 2 (inglés)");

    // The stock dialog's fields take the same counts as the file.
    for (const char* ok : {"0", "99999", " 42 ", "+7", "007"}) EXPECT_TRUE(ParseStockCount(ok)) << ok;
    for (const char* bad : {"-1", "100000", "", " ", "4 2", "0x10", "1e3", "2147483648"}) {
        EXPECT_FALSE(ParseStockCount(bad)) << bad;
    }
}

// ---------------------------------------------------------------------------
// On disk

// Makes writes of files beyond `bytes` fail (EFBIG), for everyone, root
// included, while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = ::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    sighandler_t previous_{};
};

std::set<std::string> Names(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

TEST_F(StockFileTest, MissingFileChangesNothingAndSavingCreatesIt) {
    TempDir dir;
    const std::string path = (dir.Path() / "new" / "sub" / kStockFileName).string();
    TStockFile file(path);
    TTrackList stock;
    stock.SetPieces(kNincoIndex, kStandardCurve, 8);
    SetLanguageIndex(kEnglish);

    EXPECT_EQ(file.Load(stock), "");
    EXPECT_EQ(stock.Pieces(kNincoIndex, kStandardCurve), 8);
    EXPECT_EQ(LanguageIndex(), kEnglish);

    // The per-user folder need not exist before the first save.
    std::string message;
    ASSERT_TRUE(file.Save(stock, &message)) << message;
    EXPECT_EQ(ReadBytes(path), StockFileBytes(stock, kEnglish));

    SetLanguageIndex(kSpanish);
    TTrackList again;
    EXPECT_EQ(TStockFile(path).Load(again), "");
    EXPECT_EQ(again, stock);
    EXPECT_EQ(LanguageIndex(), kEnglish);
}

TEST_F(StockFileTest, DamagedFileIsCopiedBeforeItIsEverOverwritten) {
    TempDir dir;
    const std::string path = dir / kStockFileName;
    std::vector<std::string> lines = NumberedLines();
    lines[11] = "abc";  // line 12
    const std::string damaged = Join(lines);
    WriteBytes(path, damaged);

    TStockFile file(path);
    TTrackList stock;
    // Line 1 says English, so the report is in English.
    EXPECT_EQ(file.Load(stock),
              "stock file damaged at line 12: not a whole number; the counts that could be read are kept and the "
              "others are 0; a copy of the damaged file was kept as " +
                  path + ".damaged");
    EXPECT_EQ(stock, NumberedTable({12}));
    EXPECT_EQ(file.LastRead(), (TStockReadResult{StockFault::NotANumber, 12, {12}}));
    EXPECT_EQ(file.DamagedCopy(), path + ".damaged");
    EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
    EXPECT_EQ(ReadBytes(path), damaged);  // nothing written yet

    ASSERT_TRUE(file.Save(stock));
    EXPECT_EQ(ReadBytes(path), StockFileBytes(NumberedTable({12}), kEnglish));
    EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
    EXPECT_EQ(TStockFile(path).Load(stock), "");
}

TEST_F(StockFileTest, EarlierCopiesAreNeverOverwrittenAndTheSameDamageIsKeptOnce) {
    TempDir dir;
    const std::string path = dir / kStockFileName;
    WriteBytes(path + ".damaged", "an earlier copy");
    const std::string first = Join({"2", "1", "x"});
    const std::string second = Join({"2", "oops"});

    TTrackList stock;
    WriteBytes(path, first);
    TStockFile a(path);
    EXPECT_NE(a.Load(stock).find(path + ".damaged-2"), std::string::npos);
    EXPECT_EQ(ReadBytes(path + ".damaged"), "an earlier copy");
    EXPECT_EQ(ReadBytes(path + ".damaged-2"), first);

    // The program ended without saving: the next start finds the same damage
    // and keeps no second copy of it.
    TStockFile b(path);
    b.Load(stock);
    EXPECT_EQ(b.DamagedCopy(), path + ".damaged-2");

    WriteBytes(path, second);
    TStockFile c(path);
    c.Load(stock);
    EXPECT_EQ(c.DamagedCopy(), path + ".damaged-3");
    EXPECT_EQ(ReadBytes(path + ".damaged-3"), second);
    EXPECT_EQ(Names(dir.Path()), (std::set<std::string>{kStockFileName, std::string(kStockFileName) + ".damaged",
                                                        std::string(kStockFileName) + ".damaged-2",
                                                        std::string(kStockFileName) + ".damaged-3"}));
}

TEST_F(StockFileTest, EmptyFileIsReportedButNeedsNoCopy) {
    TempDir dir;
    const std::string path = dir / kStockFileName;
    WriteBytes(path, "");
    TStockFile file(path);
    TTrackList stock;
    EXPECT_EQ(file.Load(stock),
              "archivo de stock dañado en la línea 1: el archivo termina antes de tiempo; se conservan las "
              "cantidades legibles y las demás quedan a 0");
    EXPECT_EQ(file.DamagedCopy(), "");
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{kStockFileName});
    EXPECT_TRUE(file.Save(stock));
    EXPECT_EQ(ReadBytes(path), StockFileBytes(TTrackList{}, kSpanish));
}

TEST_F(StockFileTest, FileThatCannotBeReadIsLeftAlone) {
    TempDir dir;
    TTrackList stock;
    stock.SetPieces(kScxIndex, kHalfStraight, 4);

    // A folder in the file's place.
    const std::string folder = dir / "folder";
    fs::create_directory(folder);
    const std::string inFolder = folder + "/" + kStockFileName;
    fs::create_directory(inFolder);
    TStockFile a(inFolder);
    const std::string report = a.Load(stock);
    EXPECT_EQ(report.rfind("no se puede leer " + inFolder + ": ", 0), 0u) << report;
    EXPECT_NE(report.find("; el archivo de stock existente no se pudo leer y se deja como está"), std::string::npos);
    EXPECT_EQ(stock.Pieces(kScxIndex, kHalfStraight), 4);
    std::string message;
    EXPECT_FALSE(a.Save(stock, &message));
    EXPECT_EQ(message, "no se puede escribir el archivo " + inFolder +
                           ": el archivo de stock existente no se pudo leer y se deja como está");
    EXPECT_TRUE(fs::is_directory(inFolder));

    // Far too large to be a stock file (sparse, so it costs no disk).
    const std::string huge = dir / kStockFileName;
    WriteBytes(huge, "2\r\n");
    fs::resize_file(huge, 17u * 1024u * 1024u);
    TStockFile b(huge);
    // Said in the language of the rest of the message.
    EXPECT_EQ(b.Load(stock), "no se puede leer " + huge + ": el archivo es demasiado grande; " +
                                 "el archivo de stock existente no se pudo leer y se deja como está");
    EXPECT_FALSE(b.Save(stock, &message));
    EXPECT_EQ(fs::file_size(huge), 17u * 1024u * 1024u);
}

TEST_F(StockFileTest, FailedWriteLeavesTheOldFileWholeAndIsReported) {
    TempDir dir;
    const std::string path = dir / kStockFileName;
    const std::string old = Join(NumberedLines());
    WriteBytes(path, old);
    TStockFile file(path);
    TTrackList stock;
    ASSERT_EQ(file.Load(stock), "");
    stock.SetPieces(kNincoIndex, kStandardStraight, 12345);

    std::string message;
    bool saved;
    {
        const FileSizeLimit limit(16);  // the file is some 200 bytes
        saved = file.Save(stock, &message);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(message, "cannot write file " + path + ": File too large");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{kStockFileName});  // no temporary file left

    EXPECT_TRUE(file.Save(stock, &message));
    EXPECT_EQ(ReadBytes(path), StockFileBytes(stock, kEnglish));
}

TEST_F(StockFileTest, DamagedFileWithoutACopyIsNotOverwrittenUntilOneIsMade) {
    TempDir dir;
    const std::string path = dir / kStockFileName;
    const std::string damaged = Join({"2", "5", "five"});
    WriteBytes(path, damaged);
    TStockFile file(path);
    TTrackList stock;
    std::string report;
    std::string message;
    bool saved;
    {
        const FileSizeLimit limit(4);  // the damaged file is 12 bytes
        report = file.Load(stock);
        saved = file.Save(stock, &message);
    }
    EXPECT_EQ(report,
              "stock file damaged at line 3: not a whole number; the counts that could be read are kept and the "
              "others are 0; no copy of the damaged file could be kept (File too large), so it will not be "
              "overwritten");
    EXPECT_FALSE(saved);
    EXPECT_EQ(message, "cannot write file " + path +
                           ": no copy of the damaged file could be kept (File too large), so it will not be "
                           "overwritten");
    EXPECT_EQ(ReadBytes(path), damaged);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{kStockFileName});

    // Once a copy can be made, the save makes it first.
    ASSERT_TRUE(file.Save(stock, &message)) << message;
    EXPECT_EQ(ReadBytes(path + ".damaged"), damaged);
    TTrackList kept;
    SetLine(kept, 2, 5);
    EXPECT_EQ(ReadBytes(path), StockFileBytes(kept, kEnglish));
}

}  // namespace
}  // namespace quillet
