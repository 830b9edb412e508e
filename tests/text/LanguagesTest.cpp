#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text/Cp1252.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {
namespace {
// Read before any test runs, so it is the value the program starts with.
const int kIndexAtProgramStart = LanguageIndex();

class LanguagesTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageIndex(kSpanish); }
    void TearDown() override { SetLanguageIndex(kSpanish); }
};

const int kLanguages[] = {kSpanish, kEnglish};

bool EndsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(LanguagesTest, UsedEntriesCarryTextAndOthersAreEmpty) {
    EXPECT_FALSE(IsUsedEntry(199));
    EXPECT_FALSE(IsUsedEntry(239));
    for (int language : kLanguages) {
        for (int n = 0; n < kTextEntries; ++n) {
            EXPECT_EQ(TextIn(language, n).empty(), !IsUsedEntry(n)) << "language " << language << " entry " << n;
        }
        for (int n : {-1, 240, 1000, INT_MIN, INT_MAX}) {
            EXPECT_FALSE(IsUsedEntry(n));
            EXPECT_EQ(TextIn(language, n), "") << n;
        }
    }
    EXPECT_EQ(Text(-5), "");
    EXPECT_EQ(Text(kTextEntries), "");
}

// A hint is "short|long" in both languages or in neither, and only the hint
// entries have a bar: a window splits on it, so a stray or missing bar shows
// as a wrong tool tip.
TEST_F(LanguagesTest, HintBarsMatchAcrossLanguages) {
    std::set<int> hints;
    for (int n = 74; n <= 98; ++n) hints.insert(n);
    for (int n = 107; n <= 112; ++n) hints.insert(n);
    for (int n = 131; n <= 140; ++n) hints.insert(n);
    for (int n : {142, 143, 144, 145, 148, 164, 188, 189, 200, 201, 210, 213, 214, 227, 228, 229, 230, 231})
        hints.insert(n);

    for (int n = 0; n < kTextEntries; ++n) {
        for (int language : kLanguages) {
            const std::string& t = TextIn(language, n);
            const auto bars = std::count(t.begin(), t.end(), '|');
            if (hints.count(n)) {
                ASSERT_EQ(bars, 1) << "language " << language << " entry " << n << ": " << t;
                const auto bar = t.find('|');
                EXPECT_GT(bar, 0u) << n;
                EXPECT_LT(bar + 1, t.size()) << n;
            } else {
                EXPECT_EQ(bars, 0) << "language " << language << " entry " << n << ": " << t;
            }
        }
    }
}

// Blanks at either end join a text to what follows it (" Lanes" after a
// number, "Remaining " before one) and "..." marks a command that opens a
// dialog; a translation must keep both. Entry 152 is the exception: it is
// the whole heading line of the printed list, padded to its columns.
TEST_F(LanguagesTest, TranslationsKeepEdgesAndEllipses) {
    for (int n = 0; n < kTextEntries; ++n) {
        if (!IsUsedEntry(n)) continue;
        const std::string& es = TextIn(kSpanish, n);
        const std::string& en = TextIn(kEnglish, n);
        EXPECT_EQ(es.front() == ' ', en.front() == ' ') << n;
        if (n != 152) {
            EXPECT_EQ(es.back() == ' ', en.back() == ' ') << n;
        }
        EXPECT_EQ(EndsWith(es, "..."), EndsWith(en, "...")) << n;
        if (n != 152) {
            EXPECT_EQ(es.find("  "), std::string::npos) << n;
            EXPECT_EQ(en.find("  "), std::string::npos) << n;
        }
        // Only entry 98's Spanish tool tip is broken into lines.
        const auto crs = std::count(es.begin(), es.end(), '\r');
        EXPECT_EQ(crs, n == 98 ? 2 : 0) << n;
        EXPECT_EQ(en.find_first_of("\r\n"), std::string::npos) << n;
        EXPECT_EQ(es.find('\n'), std::string::npos) << n;
    }
}

// Every text reaches the Windows-1252 files and printouts unchanged.
TEST_F(LanguagesTest, EveryTextFitsTheFileCodePage) {
    for (int language : kLanguages) {
        for (int n = 0; n < kTextEntries; ++n) {
            const std::string& t = TextIn(language, n);
            EXPECT_TRUE(FitsCp1252(t)) << "language " << language << " entry " << n;
            EXPECT_EQ(Cp1252ToUtf8(Utf8ToCp1252(t)), t) << n;
        }
    }
}

// Spanish texts that are quoted word for word by the program's documentation
// of its pieces, messages and dialogs.
TEST_F(LanguagesTest, SpanishTextsAsQuoted) {
    const std::vector<std::pair<int, std::string>> expected = {
        {0, "Dimensiones del circuito"},
        {4, "Recorridos"},
        {5, "Pista"},
        {6, "Recorrido Medio"},
        {9, "Tipo de tramo"},
        {10, "Necesarios"},
        {11, "En Stock"},
        {12, "Faltan"},
        {14, "Recta Standard"},
        {15, "Media Recta"},
        {16, "Cuarto de Recta"},
        {17, "Curva Standard"},
        {18, "Curva Interior"},
        {19, "Curva Exterior"},
        {20, "Curva Superexterior"},
        {21, "Cambio de Pista"},
        {22, "Chicane de Adaptación"},
        {23, "Pista de Conexiones"},
        {30, "Borde Interno de Curva Exterior"},
        {33, "Borde Interno de Curva Exterior"},
        {36, "Opciones..."},
        {55, "Rectas"},
        {57, "Especiales"},
        {60, "Área de Trabajo"},
        {63, "Idioma"},
        {68, " Pistas"},
        {70, "Ancho NINCO"},
        {71, "Ancho SCX"},
        {73, "Sin Título"},
        {89, "Rotar a la Derecha|Rota el circuito 22,5° a la derecha"},
        {98,
         "Orientación.\rPara mantener esta opción fija, deseleccione\rcualquier pista y pulse este "
         "botón.|Cambia la orientación de las curvas"},
        {101, "Intentando cerrar el circuito. Espere, por favor..."},
        {102, "Cierre en proceso"},
        {104, "Debe seleccionar un tramo antes de insertar."},
        {105, "Información"},
        {113, "Inicio de Chicane"},
        {114, "Chicane Recta"},
        {115, "Chicane curva"},
        {116, "¿Desea guardar los cambios?"},
        {117, "Sí"},
        {118, "No"},
        {119, "Remanente "},
        {120, "Circuito cerrado "},
        {121, "Circuito abierto "},
        {122, "Límite de pistas "},
        {127, "Primero debe seleccionar una curva bordeada."},
        {130, "Borde Externo de Curva Interior"},
        {141, "Notas"},
        {152, "Tipo de Tramo                       Necesarios En Stock Faltan"},
        {155, "Añadir 2 Carriles Exteriores"},
        {156, "Añadir 2 Carriles Interiores"},
        {157, "Eliminar 2 Carriles Exteriores"},
        {158, "Eliminar 2 Carriles Interiores"},
        {159, "Conversión imposible: dos anchos distintos."},
        {160, "Conversión imposible: existen curvas superexteriores."},
        {161, "Conversión imposible: existen chicanes curvas."},
        {162, "Conversión imposible: existen curvas exteriores."},
        {163, "Conversión imposible: existen curvas interiores."},
        {193, "Curva Interior Single Racing"},
        {194, "Curva Exterior Single Racing"},
        {195, "No se puede encontrar "},
        {198, "Debe borrar primero los tramos entre chicanes."},
        {206, "¿Desea buscar otra solución?"},
        {207, "Se necesitan curvas exteriores o superexteriores."},
        {209, "Debe seleccionar una curva."},
        {215, "Mando"},
        {216, "Cuenta Vueltas"},
        {217, "Salida"},
        {218, "Ayudante"},
        {219, "Asfalto"},
        {220, "Nieve"},
        {221, "Tierra"},
        {222, "Agua"},
        {223, "Alimentador"},
        {225, "Compacidad: "},
        {226, "Aprovechamiento del Espacio"},
        {237, "Anchos incompatibles"},
    };
    for (const auto& [n, text] : expected) EXPECT_EQ(TextIn(kSpanish, n), text) << "entry " << n;
    // The heading of the printed list is 62 characters, 23 blanks after "Tramo".
    EXPECT_EQ(TextIn(kSpanish, 152).size(), 62u);
}

// English texts whose odd spelling or padding is easy to "correct" by
// mistake; the program has always shown them this way.
TEST_F(LanguagesTest, EnglishTextsKeepTheirOwnSpelling) {
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "Lenght"},
        {4, "Lane Lenghts"},
        {12, "Default"},
        {55, "Straigths"},
        {61, "Lenght in cm:"},
        {73, "Untitled"},
        {89, "Rotate Right|Rotates the circuit 22.5° right"},
        {110, "Starting Chicane|Inserts an starting chicane"},
        {119, "Remaining "},
        {120, "Circuit closed "},
        {121, "Circuit opened "},
        {122, "Tracks Limit "},
        {154, "Convertion Type"},
        {159, "Can`t convert: two different widths."},
        {163, "Can`t convert: the circuit has inner curves."},
        {195, "Can\u00b4t find "},
        {225, "Compactness: "},
    };
    for (const auto& [n, text] : expected) EXPECT_EQ(TextIn(kEnglish, n), text) << "entry " << n;
}

// The printed Track List's heading names the three count columns in both
// languages, each starting at the same column, so the English heading sits
// over the same figures as the Spanish one.
TEST_F(LanguagesTest, TrackListHeadingNamesTheCountColumnsInBothLanguages) {
    const std::string& es = TextIn(kSpanish, 152);
    const std::string& en = TextIn(kEnglish, 152);
    EXPECT_EQ(es.find("Tipo de Tramo"), 0u);
    EXPECT_EQ(en.find("Track Type"), 0u);
    // "Tipo de Tramo" and 23 blanks: the counts' headings start at 36, 47, 56.
    EXPECT_EQ(es.find("Necesarios"), 36u);
    EXPECT_EQ(es.find("En Stock"), 47u);
    EXPECT_EQ(es.find("Faltan"), 56u);
    EXPECT_EQ(en.find("Needed"), 36u);
    EXPECT_EQ(en.find("In Stock"), 47u);
    EXPECT_EQ(en.find("Missing"), 56u);
    // Nothing else but blanks between them.
    std::string rest = en;
    for (const char* word : {"Track Type", "Needed", "In Stock", "Missing"}) {
        rest.replace(rest.find(word), std::string_view(word).size(), std::string_view(word).size(), ' ');
    }
    EXPECT_EQ(rest.find_first_not_of(' '), std::string::npos);
}

TEST_F(LanguagesTest, LanguageIndexStartsSpanishAndStaysInRange) {
    EXPECT_EQ(kIndexAtProgramStart, kSpanish);

    const std::vector<std::pair<int, int>> cases = {
        {2, kEnglish},  {1, kSpanish},  {0, kSpanish},       {3, kSpanish},
        {-1, kSpanish}, {-2, kSpanish}, {INT_MIN, kSpanish}, {INT_MAX, kSpanish},
    };
    for (const auto& [value, expected] : cases) {
        // Start from English so that a value which is merely ignored shows.
        SetLanguageIndex(kEnglish);
        SetLanguageIndex(value);
        EXPECT_EQ(LanguageIndex(), expected) << value;
        EXPECT_EQ(Text(105), expected == kEnglish ? "Information" : "Información") << value;
    }
    // Looking up a block by a stray number behaves the same way.
    EXPECT_EQ(TextIn(7, 73), "Sin Título");
    EXPECT_EQ(TextIn(-2, 73), "Sin Título");
}

TEST_F(LanguagesTest, TextFollowsTheLanguageAtEachCall) {
    EXPECT_EQ(Text(117), "Sí");
    SetLanguageIndex(kEnglish);
    EXPECT_EQ(Text(117), "Yes");
    EXPECT_EQ(Text(XText::TooManyTracks), "too many tracks");
    SetLanguageIndex(kSpanish);
    EXPECT_EQ(Text(117), "Sí");
    EXPECT_EQ(Text(XText::TooManyTracks), "demasiados tramos");
}

TEST_F(LanguagesTest, UntitledFollowsTheLanguageAndSavedNamesStay) {
    EXPECT_TRUE(IsUntitledTitle("Sin Título"));
    EXPECT_TRUE(IsUntitledTitle("Untitled"));

    EXPECT_EQ(TitleForLanguage("Sin Título", kEnglish), "Untitled");
    EXPECT_EQ(TitleForLanguage("Untitled", kSpanish), "Sin Título");
    EXPECT_EQ(TitleForLanguage("Untitled", kEnglish), "Untitled");
    EXPECT_EQ(TitleForLanguage("Sin Título", kSpanish), "Sin Título");
    EXPECT_EQ(TitleForLanguage("Untitled", 9), "Sin Título");

    // New's numbered names follow the language with their number.
    EXPECT_EQ(TitleForLanguage("Untitled 1", kSpanish), "Sin Título 1");
    EXPECT_EQ(TitleForLanguage("Sin Título 2", kEnglish), "Untitled 2");
    EXPECT_EQ(TitleForLanguage("Sin Título 2", kSpanish), "Sin Título 2");
    EXPECT_EQ(TitleForLanguage("Untitled 2147483647", kSpanish), "Sin Título 2147483647");
    EXPECT_FALSE(IsUntitledTitle("Untitled 1"));

    // Names that merely resemble the untitled text, numbered or not, stay.
    for (const char* kept : {"C:\\Circuitos\\Jarama.QLC", "untitled", "Sin Titulo", "Untitled ", "", "Untitled 0",
                             "Untitled 07", "Untitled 7a", "Untitled -7", "Untitled  7", "untitled 7", "Sin Titulo 7",
                             "My Untitled 7", "Untitled 7 ", "Untitled 12345678901"}) {
        EXPECT_FALSE(IsUntitledTitle(kept)) << kept;
        EXPECT_EQ(TitleForLanguage(kept, kEnglish), kept);
        EXPECT_EQ(TitleForLanguage(kept, kSpanish), kept);
    }
}

}  // namespace
}  // namespace quillet
