#include "text/ExtraTexts.h"

#include <cerrno>
#include <cstring>
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
    {XText::ReplaceMarkSet, "El próximo tramo que inserte sustituirá a este.",
     "The next track you insert replaces this one."},
    {XText::CircuitReversed, "Circuito invertido: ahora se recorre en sentido contrario.",
     "Circuit reversed: it now runs the other way round."},
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
    {XText::CliHelp,
     "Uso: quillet-cli ORDEN ARCHIVOS... [OPCIONES]\n"
     "\n"
     "Comprueba, lista, dibuja y modifica circuitos de Quillet (.QLC) sin ventanas.\n"
     "\n"
     "Órdenes:\n"
     "  report ARCHIVO.QLC                  el circuito, sus recorridos, la lista de tramos y las\n"
     "                                      dimensiones, en JSON\n"
     "  laptimes ARCHIVO.QLC                el tiempo estimado de una vuelta en cada pista, en JSON\n"
     "  render ARCHIVO.QLC SALIDA.png|svg|pdf\n"
     "                                      dibuja el circuito como lo muestra el editor, o lo imprime\n"
     "  close ENTRADA.QLC SALIDA.QLC        cierra el circuito con tramos nuevos\n"
     "  equilibrate ENTRADA.QLC SALIDA.QLC  iguala las pistas 1 y 2 con cambios de pista\n"
     "  convert ENTRADA.QLC SALIDA.QLC add-outer|add-inner|delete-outer|delete-inner\n"
     "                                      añade o quita 2 carriles exteriores o interiores\n"
     "  suggest CARPETA --area LxA --lanes N --system ninco|scx\n"
     "                                      circuitos cerrados que caben en una mesa con el stock\n"
     "\n"
     "Opciones de todas las órdenes, tras los archivos:\n"
     "  --lang es|en       idioma de los textos (en si no se indica)\n"
     "  --stock ARCHIVO.QLs\n"
     "                     el stock de tramos para report, close y suggest (ninguno si no se indica)\n"
     "  --help             esta ayuda; quillet-cli ORDEN --help explica una orden\n"
     "  --version          la versión del programa\n"
     "\n"
     "Estado de salida: 0 hecho; 1 la orden se rechazó (el motivo sale por la salida de errores);\n"
     "2 uso incorrecto o un archivo que no se puede leer o escribir. Si la orden falla o se\n"
     "rechaza, no se escribe nada en el archivo de salida.",
     "Usage: quillet-cli COMMAND FILES... [OPTIONS]\n"
     "\n"
     "Checks, lists, draws and changes Quillet circuits (.QLC) without a window.\n"
     "\n"
     "Commands:\n"
     "  report FILE.QLC                     the circuit, its lane lengths, bill of materials and\n"
     "                                      dimensions, as JSON\n"
     "  laptimes FILE.QLC                   the estimated lap time of every lane, as JSON\n"
     "  render FILE.QLC OUT.png|svg|pdf     draws the circuit as the editor shows it, or prints it\n"
     "  close IN.QLC OUT.QLC                closes the circuit with new pieces\n"
     "  equilibrate IN.QLC OUT.QLC          balances lanes 1 and 2 with changeover tracks\n"
     "  convert IN.QLC OUT.QLC add-outer|add-inner|delete-outer|delete-inner\n"
     "                                      adds or deletes 2 outer or inner lanes\n"
     "  suggest OUTDIR --area WxH --lanes N --system ninco|scx\n"
     "                                      closed circuits the stock can lay on a table\n"
     "\n"
     "Options of every command, after the files:\n"
     "  --lang es|en       the language of every text (default en)\n"
     "  --stock FILE.QLs   the stock of pieces for report, close and suggest (default: none)\n"
     "  --help             this help; quillet-cli COMMAND --help explains one command\n"
     "  --version          the program's version\n"
     "\n"
     "Exit status: 0 done; 1 the command was refused (the reason goes to standard error);\n"
     "2 bad usage or a file that cannot be read or written. When a command fails or is\n"
     "refused, nothing is written to its output file."},
    {XText::CliHelpReport,
     "Uso: quillet-cli report ARCHIVO.QLC [--stock ARCHIVO.QLs] [--lang es|en]\n"
     "\n"
     "Escribe un objeto JSON con el circuito: título, pares de pistas, ancho inicial, single\n"
     "racing, cerrado, punto de inicio y rectángulo que lo contiene (mm); cada tramo en el orden\n"
     "de la cadena con su posición, medidas, bordes, superficie, salida y contorno; la longitud\n"
     "de las ocho pistas; las piezas y bordes que necesita de cada sistema; las líneas de la\n"
     "Lista de Tramos frente al stock; y las cifras del diálogo Dimensiones del Circuito.",
     "Usage: quillet-cli report FILE.QLC [--stock FILE.QLs] [--lang es|en]\n"
     "\n"
     "Prints one JSON object with the circuit: title, lane pairs, start width, single racing,\n"
     "closed, start point and bounding box (mm); every piece in chain order with its position,\n"
     "dimensions, borders, surface, exit and outline; the length of the eight lanes; the pieces\n"
     "and borders it takes of each track system; the lines of the Track List against the stock;\n"
     "and the figures of the Circuit Dimensions dialog."},
    {XText::CliHelpLapTimes,
     "Uso: quillet-cli laptimes ARCHIVO.QLC [--stability 0-4] [--power 0-4] [--first-lap]\n"
     "\n"
     "Escribe {\"lap_times_s\": [segundos por pista], \"labels\": [los textos del diálogo]}.\n"
     "\n"
     "  --stability N   estabilidad en curva del modelo, de 0 a 4 (2 si no se indica)\n"
     "  --power N       potencia del motor del modelo, de 0 a 4 (2 si no se indica)\n"
     "  --first-lap     la primera vuelta, saliendo parado",
     "Usage: quillet-cli laptimes FILE.QLC [--stability 0-4] [--power 0-4] [--first-lap]\n"
     "\n"
     "Prints {\"lap_times_s\": [seconds per lane], \"labels\": [the dialog's texts]}.\n"
     "\n"
     "  --stability N   the model's curve stability, 0 to 4 (default 2)\n"
     "  --power N       the model's engine power, 0 to 4 (default 2)\n"
     "  --first-lap     the first lap, starting from rest"},
    {XText::CliHelpRender,
     "Uso: quillet-cli render ARCHIVO.QLC SALIDA.png|SALIDA.svg|SALIDA.pdf [--detail 1-5]\n"
     "       [--scale S] [--colour-code] [--print]\n"
     "\n"
     "Dibuja toda el área de trabajo como la muestra el editor, o la imprime en una página A4.\n"
     "\n"
     "  --detail N      nivel de detalle, de 1 a 5 (el del circuito si no se indica)\n"
     "  --scale S       milímetros por píxel, de 0.1 a 1000 (la escala del circuito, al menos\n"
     "                  la mínima del área de trabajo, si no se indica)\n"
     "  --colour-code   muestra el código de colores\n"
     "  --print         como se imprime: fondo blanco, título y una página a 300 ppp",
     "Usage: quillet-cli render FILE.QLC OUT.png|OUT.svg|OUT.pdf [--detail 1-5] [--scale S]\n"
     "       [--colour-code] [--print]\n"
     "\n"
     "Draws the whole work area as the editor shows it, or prints it on one A4 page.\n"
     "\n"
     "  --detail N      the detail level, 1 to 5 (default: the circuit's)\n"
     "  --scale S       millimetres per pixel, 0.1 to 1000 (default: the circuit's scale, at\n"
     "                  least the work area's smallest)\n"
     "  --colour-code   shows the colour code\n"
     "  --print         as printed: white background, the title, one page at 300 dpi"},
    {XText::CliHelpClose,
     "Uso: quillet-cli close ENTRADA.QLC SALIDA.QLC [--tolerance 0-5] [--exclude LISTA]\n"
     "       [--use-stock] [--random] [--stock ARCHIVO.QLs]\n"
     "\n"
     "Añade tramos al final de un circuito abierto hasta que llegue a su inicio, como la orden\n"
     "Cerrar, y escribe el resultado en SALIDA.QLC. Escribe {\"appended\": [códigos de tipo],\n"
     "\"closed\": true|false, \"message\": texto o null}.\n"
     "\n"
     "  --tolerance N   tolerancia de cierre en cm, de 0 a 5 (1 si no se indica)\n"
     "  --exclude LISTA tramos que no se usan, separados por comas: standard, half, quarter,\n"
     "                  inner-curve, standard-curve, outer-curve, super-outer-curve\n"
     "  --use-stock     sólo tramos que quedan en el stock (--stock)\n"
     "  --random        la búsqueda aleatoria; se toma la primera solución",
     "Usage: quillet-cli close IN.QLC OUT.QLC [--tolerance 0-5] [--exclude LIST] [--use-stock]\n"
     "       [--random] [--stock FILE.QLs]\n"
     "\n"
     "Appends pieces at the end of an open circuit until it meets its start, as the Close\n"
     "command does, and writes the result to OUT.QLC. Prints {\"appended\": [type codes],\n"
     "\"closed\": true|false, \"message\": text or null}.\n"
     "\n"
     "  --tolerance N   the closing tolerance in cm, 0 to 5 (default 1)\n"
     "  --exclude LIST  pieces not to use, separated by commas: standard, half, quarter,\n"
     "                  inner-curve, standard-curve, outer-curve, super-outer-curve\n"
     "  --use-stock     only pieces left in the stock (--stock)\n"
     "  --random        the random search; the first solution is taken"},
    {XText::CliHelpEquilibrate,
     "Uso: quillet-cli equilibrate ENTRADA.QLC SALIDA.QLC\n"
     "\n"
     "Convierte en cambios de pista las dos rectas estándar que más igualan las pistas 1 y 2,\n"
     "como la orden Equilibrar, y escribe el resultado en SALIDA.QLC. Escribe\n"
     "{\"changeovers\": [posiciones de los cambios de pista, desde 1]}.",
     "Usage: quillet-cli equilibrate IN.QLC OUT.QLC\n"
     "\n"
     "Turns the two standard straights that best balance lanes 1 and 2 into changeover tracks,\n"
     "as the Equilibrate command does, and writes the result to OUT.QLC. Prints\n"
     "{\"changeovers\": [positions of the changeover tracks, from 1]}."},
    {XText::CliHelpConvert,
     "Uso: quillet-cli convert ENTRADA.QLC SALIDA.QLC add-outer|add-inner|delete-outer|delete-inner\n"
     "\n"
     "Añade (add) o quita (delete) 2 carriles exteriores (outer) o interiores (inner), como la\n"
     "orden Convertir, y escribe el resultado en SALIDA.QLC. Escribe {\"lane_pairs\": N}.",
     "Usage: quillet-cli convert IN.QLC OUT.QLC add-outer|add-inner|delete-outer|delete-inner\n"
     "\n"
     "Adds or deletes 2 outer or inner lanes, as the Convert command does, and writes the\n"
     "result to OUT.QLC. Prints {\"lane_pairs\": N}."},
    {XText::CliNoCommand, "falta la orden; quillet-cli --help las enumera",
     "no command given; quillet-cli --help lists them"},
    {XText::CliUnknownCommand, "%1: orden desconocida; quillet-cli --help las enumera",
     "%1: unknown command; quillet-cli --help lists them"},
    {XText::CliUnknownOption, "%1: opción desconocida para %2", "%1: unknown option for %2"},
    {XText::CliMissingValue, "%1: falta el valor", "%1: the value is missing"},
    {XText::CliBadValue, "%1: no se admite «%2»; se esperaba %3", "%1: \"%2\" is not allowed; expected %3"},
    {XText::CliWrongArguments, "%1 necesita %2; véase quillet-cli %1 --help",
     "%1 takes %2; see quillet-cli %1 --help"},
    {XText::CliPictureType, "%1: la imagen debe terminar en .png, .svg o .pdf",
     "%1: the picture must end in .png, .svg or .pdf"},
    {XText::CliScaleWithPrint, "--scale no se puede usar con --print: la página decide la escala",
     "--scale cannot be used with --print: the page decides the scale"},
    {XText::CliPictureTooLarge, "la imagen tendría %1 x %2 píxeles; elija una --scale mayor",
     "the picture would be %1 x %2 pixels; choose a larger --scale"},
    {XText::CliStockAndRandom, "--use-stock y --random se excluyen entre sí",
     "--use-stock and --random exclude each other"},
    {XText::CliNothingToCloseWith,
     "no queda ningún tramo con que cerrar (los circuitos anchos no admiten las curvas mayores)",
     "no track is left to close with (wide circuits cannot take the larger curves)"},
    {XText::CliConversionNotOffered, "%1: no es posible en un circuito de %2 pistas",
     "%1: not offered for a circuit of %2 lanes"},
    {XText::CliSingleRacingConversion,
     "un circuito single racing no se convierte; quite antes los bucles single racing",
     "a single-racing circuit is not converted; remove its single-racing loops first"},
    {XText::StockFieldEmpty, "%1, %2: el campo está vacío. Escriba cuántas piezas tiene, 0 si ninguna.",
     "%1, %2: the field is empty. Enter how many pieces you have, 0 if none."},
    {XText::StockFieldNotACount, "%1, %2: escriba una cantidad de 0 a %3.",
     "%1, %2: enter a count from 0 to %3."},
    {XText::StockControlCaption, "Control de Stock", "Stock Control"},
    {XText::LapTimesMin, "Mín", "Min"},
    {XText::LapTimesMax, "Máx", "Max"},
    {XText::NoPrinter, "Elija una impresora, o un archivo donde imprimir, con Configurar.",
     "Choose a printer, or a file to print to, with Setup."},
    {XText::PrintToFile, "Imprimir en el archivo %1", "Print to the file %1"},
    {XText::PrintFailed, "La impresora no pudo imprimir el documento.", "The printer could not print the document."},
    {XText::ExportPngMenu, "Exportar Imagen (PNG)...", "Export Picture (PNG)..."},
    {XText::ExportPngHint, "Guarda el dibujo del área de trabajo como imagen PNG",
     "Saves the drawing of the work area as a PNG picture"},
    {XText::ExportSvgMenu, "Exportar Dibujo (SVG)...", "Export Drawing (SVG)..."},
    {XText::ExportSvgHint, "Guarda el dibujo del área de trabajo como dibujo vectorial SVG",
     "Saves the drawing of the work area as an SVG vector drawing"},
    {XText::ExportPdfMenu, "Exportar Página (PDF)...", "Export Page (PDF)..."},
    {XText::ExportPdfHint, "Guarda el circuito como se imprime, en una página A4 en PDF",
     "Saves the circuit as it prints, on an A4 page in PDF"},
    {XText::ExportCsvMenu, "Exportar Lista de Tramos (CSV)...", "Export Track List (CSV)..."},
    {XText::ExportCsvHint, "Guarda la lista de tramos como tabla CSV para una hoja de cálculo",
     "Saves the track list as a CSV table for a spreadsheet"},
    {XText::ExportDialogTitle, "Exportar", "Export"},
    {XText::ExportPngFilter, "Imagen PNG", "PNG picture"},
    {XText::ExportSvgFilter, "Dibujo SVG", "SVG drawing"},
    {XText::ExportPdfFilter, "Documento PDF", "PDF document"},
    {XText::ExportCsvFilter, "Tabla CSV", "CSV table"},
    {XText::CannotDrawPicture, "no se puede dibujar la imagen para %1", "cannot draw the picture for %1"},
    {XText::CsvBrand, "Marca", "Brand"},
    {XText::CsvPiece, "Pieza", "Piece"},
    {XText::CsvRequired, "Necesarios", "Required"},
    {XText::CsvInStock, "En Stock", "In Stock"},
    {XText::CsvMissing, "Faltan", "Missing"},
    {XText::RecentFilesMenu, "Archivos Recientes", "Recent Files"},
    {XText::RecentFilesHint, "Abre uno de los últimos circuitos abiertos o guardados",
     "Opens one of the circuits last opened or saved"},
    {XText::RecentFilesClear, "Vaciar la Lista", "Clear the List"},
    {XText::RecoverUntitled,
     "Quillet no se cerró correctamente y dejó cambios sin guardar en «%1».\n"
     "¿Desea recuperarlos? Si responde No, se descartarán.",
     "Quillet did not close properly and left unsaved changes to “%1”.\n"
     "Do you wish to recover them? If you answer No, they are discarded."},
    {XText::RecoverFile,
     "Quillet no se cerró correctamente y dejó cambios sin guardar en «%1» (%2).\n"
     "¿Desea recuperarlos? Si responde No, se descartarán.",
     "Quillet did not close properly and left unsaved changes to “%1” (%2).\n"
     "Do you wish to recover them? If you answer No, they are discarded."},
    {XText::FileTooLarge, "el archivo es demasiado grande", "the file is too large"},
    {XText::CannotWriteRecovery,
     "No se puede escribir la copia de recuperación en %1: %2.\n"
     "Si el programa se cierra sin guardar, se perderán los cambios no guardados.",
     "Cannot write the recovery copy in %1: %2.\n"
     "If the program ends without saving, the unsaved changes are lost."},
    {XText::CauseNoSuchFile, "no existe el archivo o la carpeta", "no such file or folder"},
    {XText::CauseNoPermission, "no tiene permiso", "permission denied"},
    {XText::CauseIsFolder, "es una carpeta", "it is a folder"},
    {XText::CauseNotFolder, "parte de la ruta no es una carpeta", "part of the path is not a folder"},
    {XText::CauseDiskFull, "no queda espacio en el disco", "no space left on the disk"},
    {XText::CauseReadOnly, "el disco es de solo lectura", "the disk is read-only"},
    {XText::CauseNameTooLong, "el nombre es demasiado largo", "the name is too long"},
    // ---- Close Circuit: the search found no closing pieces.
    {XText::ClosingNothingFound,
     "No se ha encontrado ningún cierre: quizá la Tolerancia de Cierre es demasiado pequeña, "
     "o hacen falta tramos que no están marcados en Usar Tramos.",
     "No closing was found: the Closing Clearance may be too small, "
     "or tracks left unchecked under Use Tracks may be needed."},
    {XText::ClosingNothingFoundStock,
     "No se ha encontrado ningún cierre con el stock: quizá faltan en el stock los tramos necesarios, "
     "la Tolerancia de Cierre es demasiado pequeña, o hacen falta tramos que no están marcados en Usar Tramos.",
     "No closing was found within the stock: the stock may lack the tracks needed, the Closing Clearance "
     "may be too small, or tracks left unchecked under Use Tracks may be needed."},
    // Load errors as the window shows them.
    {XText::ErrorCaption, "Ha ocurrido un error", "An error occurred"},
    {XText::LoadCircuitCaption, "No se puede abrir el circuito", "Cannot open the circuit"},
    {XText::LoadStockCaption, "No se puede leer el archivo de stock", "Cannot read the stock file"},
    {XText::LoadTemplateCaption, "No se puede abrir la plantilla", "Cannot open the template"},
    {XText::LoadErrorFile, "Archivo: %1", "File: %1"},
    {XText::LoadErrorFolder, "Carpeta: %1", "Folder: %1"},
    {XText::PictureUnreadable, "no es una imagen que se pueda leer", "it is not a picture that can be read"},
    // ---- The file layer: refusals, an unconfirmed save, several bad stock lines.
    {XText::FileWriteProtected, "el archivo está protegido contra escritura", "the file is write-protected"},
    {XText::NotRegularFile, "no es un archivo normal", "not a regular file"},
    {XText::SaveNotConfirmed,
     "el archivo nuevo ya está en su sitio, pero el sistema no ha confirmado que esté guardado en el disco (%1); "
     "vuelva a guardar antes de fiarse de él",
     "the new file is in place, but the system did not confirm that it is safely on the disk (%1); "
     "save again before relying on it"},
    {XText::StockCountsReadAsZero, "leídas como 0 las líneas %1", "lines %1 read as 0"},
    {XText::StockMoreLines, " y %1 más", " and %1 more"},
    // ---- Edit > Select None.
    {XText::SelectNoneMenu, "Seleccionar Nada", "Select None"},
    {XText::SelectNoneHint, "Deselecciona todos los tramos y accesorios", "Deselects every track and accessory"},
    // ---- Suggest Circuits: why nothing (or not all) came out, and quillet-cli suggest.
    {XText::SuggestLanesNotOffered, "Las pistas van por pares: elija 2, 4, 6 u 8 pistas.",
     "Lanes come in pairs: choose 2, 4, 6 or 8 lanes."},
    {XText::SuggestTableNotUsable, "Indique el largo y el ancho de la mesa en mm, de 1 a 100000.",
     "Give the table's length and width in mm, from 1 to 100000."},
    {XText::SuggestCountNotUsable,
     "Pida de 1 a 99 circuitos, y como mucho 300 tramos cuando valga cualquier tramo.",
     "Ask for 1 to 99 circuits, and at most 300 pieces when any piece will do."},
    {XText::SuggestNoPieces, "El stock no tiene ningún tramo de este sistema.",
     "The stock has no pieces of this track system."},
    {XText::SuggestTooFewCurves,
     "No hay curvas suficientes para girar 360 grados.",
     "There are too few curves to turn 360 degrees."},
    {XText::SuggestTableTooSmall, "La mesa es demasiado pequeña para el menor círculo que hacen estas curvas.",
     "The table is too small for the smallest loop these curves can make."},
    {XText::SuggestNothingFits,
     "No se ha encontrado ningún circuito de estos tramos que quepa en la mesa sin montarse sobre sí mismo.",
     "No circuit of these pieces was found that fits the table without running over itself."},
    {XText::SuggestCancelled, "Búsqueda detenida; se conservan los circuitos encontrados hasta ahora.",
     "The search was stopped; the circuits found so far are kept."},
    {XText::CliHelpSuggest,
     "Uso: quillet-cli suggest CARPETA --area LxA --lanes N --system ninco|scx [--stock ARCHIVO.QLs]\n"
     "       [--count K] [--any-pieces MAX]\n"
     "\n"
     "Busca circuitos cerrados que se pueden montar en una mesa de L x A mm con los tramos del stock,\n"
     "sin salirse de la mesa ni montarse sobre sí mismos, los escribe en CARPETA/suggestion-01.QLC,\n"
     "suggestion-02.QLC, ... (el más largo primero) y escribe {\"suggestions\": [{\"file\", \"pieces\",\n"
     "\"mean_lane_mm\", \"size_mm\": [largo, ancho], \"missing\": {tipo: cantidad}}]}.\n"
     "\n"
     "  --area LxA        la mesa en mm, p. ej. 2400x1200\n"
     "  --lanes N         2, 4, 6 u 8 pistas\n"
     "  --system S        ninco o scx\n"
     "  --count K         cuántos circuitos, de 1 a 99 (12 si no se indica)\n"
     "  --any-pieces MAX  cualquier tramo del catálogo, hasta MAX tramos por circuito (1 a 300);\n"
     "                    \"missing\" dice lo que falta en el stock",
     "Usage: quillet-cli suggest OUTDIR --area WxH --lanes N --system ninco|scx [--stock FILE.QLs]\n"
     "       [--count K] [--any-pieces MAX]\n"
     "\n"
     "Looks for closed circuits that can be laid on a table of W x H mm with the stock's pieces,\n"
     "inside the table and never running over themselves, writes them to OUTDIR/suggestion-01.QLC,\n"
     "suggestion-02.QLC, ... (the longest first) and prints {\"suggestions\": [{\"file\", \"pieces\",\n"
     "\"mean_lane_mm\", \"size_mm\": [length, width], \"missing\": {type: count}}]}.\n"
     "\n"
     "  --area WxH        the table in mm, e.g. 2400x1200\n"
     "  --lanes N         2, 4, 6 or 8 lanes\n"
     "  --system S        ninco or scx\n"
     "  --count K         how many circuits, 1 to 99 (default 12)\n"
     "  --any-pieces MAX  any catalogue piece, up to MAX pieces a circuit (1 to 300); \"missing\"\n"
     "                    says what the stock lacks"},
    {XText::CliSuggestNeeds, "suggest necesita --area, --lanes y --system; véase quillet-cli suggest --help",
     "suggest needs --area, --lanes and --system; see quillet-cli suggest --help"},
    {XText::CliNotAFolder, "%1: no es una carpeta", "%1: not a folder"},
    // ---- Suggest Circuits: the command and its window.
    {XText::SuggestCircuitsMenu, "Sugerir Circuitos...", "Suggest Circuits..."},
    {XText::SuggestCircuitsHint, "Propone circuitos cerrados que caben en la mesa con los tramos del stock",
     "Suggests closed circuits that fit the table with the pieces in stock"},
    {XText::SuggestCaption, "Sugerir Circuitos", "Suggest Circuits"},
    {XText::SuggestTableGroup, "Mesa", "Table"},
    {XText::SuggestTableLength, "Largo (mm):", "Length (mm):"},
    {XText::SuggestTableWidth, "Ancho (mm):", "Width (mm):"},
    {XText::SuggestSystem, "Sistema:", "Track system:"},
    {XText::SuggestNinco, "NINCO (rectas de 400 mm)", "NINCO (400 mm straights)"},
    {XText::SuggestScx, "SCX (rectas de 350 mm)", "SCX (350 mm straights)"},
    {XText::SuggestLanes, "Pistas:", "Lanes:"},
    {XText::SuggestPiecesGroup, "Tramos", "Pieces"},
    {XText::SuggestOnlyStock, "Solo los tramos del stock", "Only the pieces in stock"},
    {XText::SuggestAnyPieces, "Cualquier tramo del catálogo, hasta", "Any catalogue pieces, up to"},
    {XText::SuggestAnyPiecesUnit, "tramos", "pieces"},
    {XText::SuggestSearch, "Buscar", "Search"},
    {XText::SuggestOpen, "Abrir", "Open"},
    {XText::SuggestClose, "Cerrar", "Close"},
    {XText::SuggestSearching, "Buscando...", "Searching..."},
    {XText::SuggestFoundOne, "Se ha encontrado 1 circuito.", "1 circuit found."},
    {XText::SuggestFoundMany, "Se han encontrado %1 circuitos.", "%1 circuits found."},
    {XText::SuggestCellSize, "Tamaño: %1 x %2 cm", "Size: %1 x %2 cm"},
    {XText::SuggestCellLane, "Pista media: %1 cm", "Mean lane: %1 cm"},
    {XText::SuggestCellPieces, "%1 tramos", "%1 pieces"},
    {XText::SuggestCellMissing, "Faltan:", "Missing:"},
    {XText::SuggestMissingItem, "%2: %1 uds.", "%2: %1 pcs."},
    {XText::SuggestNothingMissing, "Todo en el stock", "All in stock"},
    // ---- Suggest Circuits: why curves run short on four lanes or more.
    {XText::SuggestWideCurvesNote,
     " Con 4 pistas o más cada curva se hace con varias curvas del catálogo y las curvas mayores no se "
     "pueden usar.",
     " With 4 lanes or more each curve is made of several catalogue curves, and the larger curves cannot be "
     "used."},
};
// clang-format on

static_assert(std::size(kExtra) == static_cast<std::size_t>(kExtraTextCount), "one line per text");

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

std::string SystemCause(int error) {
    switch (error) {
        case ENOENT:
            return Text(XText::CauseNoSuchFile);
        case EACCES:
        case EPERM:
            return Text(XText::CauseNoPermission);
        case EISDIR:
            return Text(XText::CauseIsFolder);
        case ENOTDIR:
            return Text(XText::CauseNotFolder);
        case ENOSPC:
        case EDQUOT:
            return Text(XText::CauseDiskFull);
        case EROFS:
            return Text(XText::CauseReadOnly);
        case ENAMETOOLONG:
            return Text(XText::CauseNameTooLong);
        default:
            return std::strerror(error);
    }
}

}  // namespace quillet
