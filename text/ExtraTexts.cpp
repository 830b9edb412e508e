#include "text/ExtraTexts.h"

#include <iterator>

#include "text/Languages.h"

namespace quillet {

namespace {

struct Entry {
    XText id;
    std::string_view spanish;
    std::string_view english;
};

// clang-format off
constexpr Entry kExtra[] = {
    {XText::CannotRead, "no se puede leer %1: %2", "cannot read %1: %2"},
    {XText::CannotOpenFile, "no se puede abrir el archivo %1", "cannot open file %1"},
    {XText::CannotWriteFile, "no se puede escribir el archivo %1", "cannot write file %1"},
    {XText::ExpectedInteger, "línea %1: se esperaba un número entero", "line %1: expected a whole number"},
    {XText::ExpectedDecimal, "línea %1: se esperaba un número decimal", "line %1: expected a decimal number"},
    {XText::UnknownPieceType, "línea %1: tipo de tramo desconocido", "line %1: unknown piece type"},
    {XText::UnsupportedVersion, "versión de archivo no admitida: %1", "unsupported file version %1"},
    {XText::TooManyTracks, "demasiados tramos", "too many tracks"},
    {XText::LanePairsOutOfRange, "número de pistas fuera de rango", "lane pairs out of range"},
    {XText::FileEndsEarly, "el archivo termina antes de tiempo", "the file ends early"},
    {XText::StockFileDamaged, "archivo de stock dañado en la línea %1", "stock file damaged at line %1"},
    {XText::StockNotANumber, "no es un número entero", "not a whole number"},
    {XText::StockCountOutOfRange, "no es una cantidad de 0 a %1", "not a count from 0 to %1"},
    {XText::StockLanguageOutOfRange, "no es 1 (español) ni 2 (inglés)", "not 1 (Spanish) or 2 (English)"},
    {XText::StockUnexpectedText, "hay texto tras la última cantidad", "text after the last count"},
    {XText::StockReadableKept, "se conservan las cantidades legibles y las demás quedan a 0",
     "the counts that could be read are kept and the others are 0"},
    {XText::StockCopyKept, "se guardó una copia del archivo dañado como %1",
     "a copy of the damaged file was kept as %1"},
    {XText::StockCopyFailed, "no se pudo guardar una copia del archivo dañado (%1), por lo que no se sobrescribirá",
     "no copy of the damaged file could be kept (%1), so it will not be overwritten"},
    {XText::StockNotOverwritten, "el archivo de stock existente no se pudo leer y se deja como está",
     "the existing stock file could not be read and is left as it is"},
    {XText::AtLine, "línea %1: %2", "line %1: %2"},
    {XText::ValueOutOfRange, "línea %1: se esperaba un valor de %2 a %3", "line %1: expected a value from %2 to %3"},
    {XText::FileEndsBeforeLine, "el archivo termina antes de la línea %1", "the file ends before line %1"},
    {XText::CannotReadPicture, "no se puede leer la imagen %1", "cannot read the picture %1"},
    {XText::SettingsEmptyLength, "Escriba la longitud del área de trabajo en cm.", "Enter the length of the work area in cm."},
    {XText::SettingsEmptyWidth, "Escriba el ancho del área de trabajo en cm.", "Enter the width of the work area in cm."},
    {XText::SettingsEmptyGrid, "Escriba el tamaño de la cuadrícula en cm.", "Enter the grid size in cm."},
    {XText::SettingsDetailMin, "mín", "min"},
    {XText::SettingsDetailMax, "máx", "max"},
    {XText::StockControlMenu, "Control de Stock...", "Stock Control..."},
    {XText::LapTimesMenu, "Tiempos Estimados...", "Estimated Lap Times..."},
    {XText::PicturesFilter, "Imágenes", "Pictures"},
    {XText::AllFilesFilter, "Todos los archivos", "All files"},
    {XText::AboutVersion, "Versión %1", "Version %1"},
    {XText::AboutPurpose, "Diseño de circuitos de slot a escala con las piezas reales de NINCO y SCX.",
     "Slot-car circuits designed to scale from real NINCO and SCX track pieces."},
    {XText::ClosingTurnUnreachable,
     "Con los tramos elegidos no se puede dar el giro que cierra el circuito.",
     "The tracks chosen cannot make the turn that closes the circuit."},
    {XText::StockFieldEmpty, "%1, %2: el campo está vacío. Escriba cuántas piezas tiene, 0 si ninguna.",
     "%1, %2: the field is empty. Enter how many pieces you have, 0 if none."},
    {XText::StockFieldNotACount, "%1, %2: escriba una cantidad de 0 a %3.",
     "%1, %2: enter a count from 0 to %3."},
    {XText::StockControlCaption, "Control de Stock", "Stock Control"},
    {XText::ConvertSingleRacing,
     "Un circuito single racing no se puede convertir. Quite primero el single racing.",
     "A single racing circuit cannot be converted. Turn single racing off first."},
    {XText::LapTimesMin, "Mín", "Min"},
    {XText::LapTimesMax, "Máx", "Max"},
    {XText::NoPrinter, "Elija una impresora, o un archivo donde imprimir, con Configurar.",
     "Choose a printer, or a file to print to, with Setup."},
    {XText::PrintToFile, "Imprimir en el archivo %1", "Print to the file %1"},
    {XText::PrintFailed, "La impresora no pudo imprimir el documento.", "The printer could not print the document."},
};
// clang-format on

static_assert(std::size(kExtra) == static_cast<std::size_t>(kExtraTextCount),
              "one line per text");

consteval bool InEnumOrder() {
    for (int i = 0; i < kExtraTextCount; ++i) {
        if (static_cast<int>(kExtra[i].id) != i) return false;
    }
    return true;
}
static_assert(InEnumOrder(), "lines follow the order of the enumeration");

using Block = std::array<std::string, kExtraTextCount>;

const Block& BlockOf(int language) {
    static const std::array<Block, 2> blocks = [] {
        std::array<Block, 2> b;
        for (int i = 0; i < kExtraTextCount; ++i) {
            b[0][i] = std::string(kExtra[i].spanish);
            b[1][i] = std::string(kExtra[i].english);
        }
        return b;
    }();
    return blocks[language == kEnglish ? 1 : 0];
}

}  // namespace

const std::string& TextIn(int language, XText id) {
    static const std::string empty;
    const int i = static_cast<int>(id);
    if (i < 0 || i >= kExtraTextCount) return empty;
    return BlockOf(language)[i];
}

const std::string& Text(XText id) { return TextIn(LanguageIndex(), id); }

std::string FormatWith(std::string_view pattern, std::span<const std::string> args) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c != '%' || i + 1 == pattern.size()) {
            out += c;
            continue;
        }
        const char next = pattern[i + 1];
        if (next == '%') {
            out += '%';
            ++i;
        } else if (next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < args.size()) {
            out += args[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace quillet
