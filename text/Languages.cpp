#include "text/Languages.h"

#include <array>
#include <iterator>

namespace quillet {

namespace {

// One entry in both languages, side by side so that a shifted line shows at a
// glance and the number check below catches it at compile time. Some English
// texts carry odd spellings and trailing blanks ("Lenght", "Straigths",
// "Can`t"): they are the program's own texts, on screen,
// in printouts and in the column layout, and stay as they are.
struct Entry {
    int number;
    std::string_view spanish;
    std::string_view english;
};

// clang-format off
constexpr Entry kTable[] = {
    {0, "Dimensiones del circuito", "Circuit Dimensions"},
    {1, "Longitud", "Lenght"},
    {2, "Ancho", "Width"},
    {3, "Cierre", "Close"},
    {4, "Recorridos", "Lane Lenghts"},
    {5, "Pista", "Lane"},
    {6, "Recorrido Medio", "Mean Lane Length"},
    {7, "Distancia:", "Distance:"},
    {8, "Ángulo:", "Angle:"},
    {9, "Tipo de tramo", "Track Type"},
    {10, "Necesarios", "Required"},
    {11, "En Stock", "In Stock"},
    // The column of pieces still missing; its English heading has always read
    // "Default".
    {12, "Faltan", "Default"},
    {13, "Lista de Tramos", "Track List"},

    // Piece names, types 0 to 9.
    {14, "Recta Standard", "Standard Straight"},
    {15, "Media Recta", "Half Straight"},
    {16, "Cuarto de Recta", "Quarter Straight"},
    {17, "Curva Standard", "Standard Curve"},
    {18, "Curva Interior", "Inner Curve"},
    {19, "Curva Exterior", "Outer Curve"},
    {20, "Curva Superexterior", "Super Outer Curve"},
    {21, "Cambio de Pista", "Changeover Track"},
    {22, "Chicane de Adaptación", "Adaptation Chicane"},
    {23, "Pista de Conexiones", "Starting Straight"},

    // Border pieces.
    {24, "Borde de Cierre Recto", "Straight Closing Border"},
    {25, "Borde de Recta Standard", "Standard Straight Border"},
    {26, "Borde de Media Recta", "Half Straight Border"},
    {27, "Borde de Cuarto de Recta", "Quarter Straight Border"},
    {28, "Borde Externo de Curva Standard", "Standard Curve Outer Border"},
    {29, "Borde Interno de Curva Standard", "Standard Curve Inner Border"},
    // Not a slip: the Spanish text of 30 is that of 33. The stock dialog names
    // the inner curve's outer border with entry 130 instead.
    {30, "Borde Interno de Curva Exterior", "Inner Curve Outer Border"},
    {31, "Borde Interno de Curva Interior", "Inner Curve Inner Border"},
    {32, "Borde Externo de Curva Exterior", "Outer Curve Outer Border"},
    {33, "Borde Interno de Curva Exterior", "Outer Curve Inner Border"},
    {34, "Borde Externo de Curva Superexterior", "Super Outer Curve Outer Border"},
    {35, "Borde Interno de Curva Superexterior", "Super Outer Curve Inner Border"},

    // Menus.
    {36, "Opciones...", "Options..."},
    {37, "Herramientas", "Tools"},
    {38, "Stock de Tramos...", "Tracks Stock..."},
    {39, "Lista de Tramos...", "Track List..."},
    {40, "Dimensiones del circuito...", "Circuit Dimensions..."},
    {41, "Acerca de...", "About..."},
    {42, "Ayuda", "Help"},
    {43, "Archivo", "File"},
    {44, "Nuevo", "New"},
    {45, "Abrir", "Open"},
    {46, "Guardar", "Save"},
    {47, "Guardar como...", "Save as..."},
    {48, "Salir", "Exit"},
    {49, "Edición", "Edit"},
    {50, "Cortar", "Cut"},
    {51, "Copiar Circuito", "Copy Circuit"},
    {52, "Pegar", "Paste"},
    {53, "Acerca de Quillet", "About Quillet"},

    // Tracks Stock dialog.
    {54, "Stock de Tramos", "Tracks Stock"},
    {55, "Rectas", "Straigths"},
    {56, "Curvas", "Curves"},
    {57, "Especiales", "Specials"},
    {58, "Bordes", "Borders"},

    // Settings dialog.
    {59, "Opciones", "Options"},
    {60, "Área de Trabajo", "Work Area"},
    {61, "Longitud en cm:", "Lenght in cm:"},
    {62, "Ancho en cm:", "Width in cm:"},
    {63, "Idioma", "Language"},
    {64, "Tamaño de Cuadrícula", "Grid Size"},
    {65, "Cuadrícula en cm:", "Grid Size in cm:"},
    {66, "Nivel de Detalle", "Detail Level"},
    {67, "Número de Pistas", "Number of Lanes"},
    {68, " Pistas", " Lanes"},
    {69, "Empezar con", "Start with"},
    {70, "Ancho NINCO", "NINCO Wide"},
    {71, "Ancho SCX", "SCX Wide"},
    {72, "Cancelar", "Cancel"},
    {73, "Sin Título", "Untitled"},

    // Toolbar hints.
    {74, "Borrar|Borra el tramo seleccionado", "Delete|Deletes the selected track"},
    {75, "Fijar|Fija el tramo seleccionado", "Fix|Fixes the selected track"},
    {76, "Pista de Conexiones|Inserta una Pista de Conexiones", "Starting Straight|Inserts a Starting Straight"},
    {77, "Recta Standard|Inserta una Recta Standard", "Standard Straight|Inserts a Standard Straight"},
    {78, "Media Recta|Inserta una Media Recta", "Half Straight|Inserts a Half Straight"},
    {79, "Cuarto de Recta|Inserta un Cuarto de Recta", "Quarter Straight|Inserts a Quarter Straight"},
    {80, "Cambio de Pista|Inserta un Cambio de Pista", "Changeover Track|Inserts a Changeover Track"},
    {81, "Cambio de Pista|Inserta un Cambio de Pista", "Changeover Track|Inserts a Changeover Track"},
    {82, "Curva Interior|Inserta una Curva Interior", "Inner Curve|Inserts an Inner Curve"},
    {83, "Curva Standard|Inserta una Curva Standard", "Standard Curve|Inserts a Standard Curve"},
    {84, "Curva Exterior|Inserta una Curva Exterior", "Outer Curve|Inserts an Outer Curve"},
    {85, "Curva Superexterior|Inserta una Curva Superexterior", "Super Outer Curve|Inserts a Super Outer Curve"},
    {86, "Ampliar|Amplía la imagen", "Zoom In|Ampliates the image"},
    {87, "Reducir|Reduce la imagen", "Zoom Out|Reduces the image"},
    {88, "Cuadrícula|Muestra u oculta la cuadrícula", "Grid|Shows or hides the Grid"},
    {89, "Rotar a la Derecha|Rota el circuito 22,5° a la derecha", "Rotate Right|Rotates the circuit 22.5° right"},
    {90, "Rotar a la Izquierda|Rota el circuito 22,5° a la izquierda", "Rotate Left|Rotates the circuit 22.5° left"},
    {91, "Mover a la Derecha|Mueve el circuito a la derecha", "Move Right|Moves the circuit to the right"},
    {92, "Mover a la Izquierda|Mueve el circuito a la izquierda", "Move Left|Moves the circuit to the left"},
    {93, "Mover Abajo|Mueve el circuito hacia abajo", "Move Down|Moves the circuit down"},
    {94, "Mover Arriba|Mueve el circuito hacia arriba", "Move Up|Moves the circuit up"},
    {95, "Chicane de Adaptación|Inserta una Chicane de Adaptación", "Adaptation Chicane|Inserts an Adaptation Chicane"},
    {96, "Borde Exterior|Añade un Borde Exterior", "Outer Border|Adds an Outer Border"},
    {97, "Borde Interior|Añade un Borde Interior", "Inner Border|Adds an Inner Border"},
    // The Spanish tool tip runs over three lines, broken by carriage returns.
    {98, "Orientación.\rPara mantener esta opción fija, deseleccione\rcualquier pista y pulse este botón.|Cambia la orientación de las curvas",
         "Orientation|Changes the curves orientation"},

    // Closing, messages, chicanes.
    {99, "Cerrar Circuito", "Close Circuit"},
    {100, "Usar Tramos", "Use Tracks"},
    {101, "Intentando cerrar el circuito. Espere, por favor...", "Trying to close the Circuit. Please wait..."},
    {102, "Cierre en proceso", "Closing in progress"},
    {103, "Cerrar", "Close"},
    {104, "Debe seleccionar un tramo antes de insertar.", "You must select a track before inserting."},
    {105, "Información", "Information"},
    {106, "Mostrar Código de Colores", "Show Color Code"},
    {107, "Código de Colores|Muestra el código de colores", "Color Code|Shows the color code"},
    {108, "Centrar|Centra el circuito en la pantalla", "Center|Centers the circuit on the screen"},
    {109, "Deshacer|Deshace la última acción", "Undo|Undo the last action"},
    {110, "Inicio de Chicane|Inserta un inicio de chicane", "Starting Chicane|Inserts an starting chicane"},
    {111, "Chicane Recta|Inserta una chicane recta", "Chicane Straight|Inserts a chicane straight"},
    {112, "Chicane curva|Inserta una chicane curva", "Curved Chicane|Inserts a curved chicane"},
    // Piece names, types 10 to 12.
    {113, "Inicio de Chicane", "Starting Chicane"},
    {114, "Chicane Recta", "Straight Chicane"},
    {115, "Chicane curva", "Curved Chicane"},

    // The save question and the closing status texts; the trailing blanks of
    // 119 to 122 separate the text from the figure that follows it.
    {116, "¿Desea guardar los cambios?", "Do you wish to save changes?"},
    {117, "Sí", "Yes"},
    {118, "No", "No"},
    {119, "Remanente ", "Remaining "},
    {120, "Circuito cerrado ", "Circuit closed "},
    {121, "Circuito abierto ", "Circuit opened "},
    {122, "Límite de pistas ", "Tracks Limit "},
    {123, "Aceptar", "OK"},
    {124, "Usar Stock", "Use Stock"},
    {125, "Tolerancia de Cierre en cm", "Closing Clearance in cm"},
    {126, "Barrera", "Barrier"},
    {127, "Primero debe seleccionar una curva bordeada.", "You must first select a bordered curve."},
    {128, "Borde de Cierre de Curva", "Curve Closing Border"},
    {129, "Bordes de Curva", "Curve Borders"},
    {130, "Borde Externo de Curva Interior", "Inner Curve Outer Border"},

    // Toolbar hints.
    {131, "Cerrar Circuito|Cierra el circuito con nuevos tramos", "Close Circuit|Closes the circuit with new tracks"},
    {132, "Equilibrar Pistas|Equilibra las pistas con Cambios de Pista", "Equilibrate Lanes|Equilibrates lanes using Changeover Tracks"},
    {133, "Nuevo|Crea un circuito nuevo", "New|Creates a new circuit"},
    {134, "Abrir|Abre un circuito del disco", "Open|Opens a circuit from disk"},
    {135, "Guardar|Guarda un circuito en el disco", "Save|Saves a circuit to disk"},
    {136, "Imprimir|Imprime el circuito", "Print|Prints the circuit"},
    {137, "Copiar Circuito|Copia la imagen del circuito al portapapeles", "Copy Circuit|Copies the circuit image onto the clipboard"},
    {138, "Opciones|Muestra el diálogo de opciones", "Options|Shows the options dialog"},
    {139, "Bordes Automáticos|Añade bordes a una curva de varios tramos", "Automatic Borders|Adds borders to a multiple tracks curve"},
    {140, "Notas|Permite escribir notas sobre el circuito", "Notes|Allows write notes about the circuit"},
    {141, "Notas", "Notes"},
    {142, "Stock de Tramos|Muestra el diálogo de stock", "Tracks Stock|Shows the stock dialog"},
    {143, "Control de Stock|Muestra la ventana de control de stock", "Tracks Stock Control|Shows the stock control window"},
    {144, "Dimensiones|Muestra las dimensiones del circuito", "Dimensions|Shows the circuit dimensions"},
    {145, "Lista de Tramos|Muestra la lista de tramos", "Track List|Shows the list of tracks"},

    // Print dialog; 152 heads the printed piece list.
    {146, "Imprimir", "Print"},
    {147, "Impresora", "Printer"},
    {148, "Borrar Bordes Automáticos|Borra todos los bordes de una curva de varios tramos", "Delete Automatic Borders|Deletes all the borders of a multiple tracks curve"},
    {149, "Circuito", "Circuit"},
    {150, "Lista de Tramos", "Track List"},
    {151, "Configurar...", "Setup..."},
    {152, "Tipo de Tramo                       Necesarios En Stock Faltan",
     "Track Type                          Needed     In Stock Missing"},

    // Lane conversion.
    {153, "Convertir", "Convert"},
    {154, "Tipo de Conversión", "Convertion Type"},
    {155, "Añadir 2 Carriles Exteriores", "Add 2 Outer Lanes"},
    {156, "Añadir 2 Carriles Interiores", "Add 2 Inner Lanes"},
    {157, "Eliminar 2 Carriles Exteriores", "Delete 2 Outer Lanes"},
    {158, "Eliminar 2 Carriles Interiores", "Delete 2 Inner Lanes"},
    // The English apostrophe is a grave accent.
    {159, "Conversión imposible: dos anchos distintos.", "Can`t convert: two different widths."},
    {160, "Conversión imposible: existen curvas superexteriores.", "Can`t convert: the circuit has super outer curves."},
    {161, "Conversión imposible: existen chicanes curvas.", "Can`t convert: the circuit has curved chicanes."},
    {162, "Conversión imposible: existen curvas exteriores.", "Can`t convert: the circuit has outer curves."},
    {163, "Conversión imposible: existen curvas interiores.", "Can`t convert: the circuit has inner curves."},
    {164, "Convertir|Amplía o reduce el número de pistas", "Convert|Ampliates or reduces the lane number"},

    // Menu captions and menu hints.
    {165, "Convertir...", "Convert..."},
    {166, "Equilibrar...", "Equilibrate..."},
    {167, "Notas...", "Notes..."},
    {168, "Deshacer", "Undo"},
    {169, "Borrar tramo...", "Delete track..."},
    {170, "Borra el tramo seleccionado", "Deletes the selected track"},
    {171, "Deshace la última acción", "Undoes the last action"},
    {172, "Copia el circuito al portapapeles", "Copies the circuit to the clipboard"},
    {173, "Muestra información del programa", "Displays program information"},
    {174, "Muestra el diálogo de opciones", "Shows the options dialog"},
    {175, "Muestra la lista de tramos", "Shows the list of tracks"},
    {176, "Muestra las dimensiones del circuito", "Shows the circuit dimensions"},
    {177, "Muestra el diálogo de stock", "Shows the stock dialog"},
    {178, "Muestra la ventana de control de stock", "Shows the stock control window"},
    {179, "Cierra el circuito con nuevos tramos", "Closes the circuit with new tracks"},
    {180, "Equilibra las pistas con Cambios de Pista", "Equilibrates lanes using Changeover Tracks"},
    {181, "Permite escribir notas sobre el circuito", "Allows write notes about the circuit"},
    {182, "Amplía o reduce el número de pistas", "Ampliates or reduces the lane number"},
    {183, "Crea un circuito nuevo", "Creates a new circuit"},
    {184, "Carga un circuito del disco", "Loads a circuit from disk"},
    {185, "Guarda el circuito actual", "Saves current circuit"},
    {186, "Guarda el circuito actual con otro nombre", "Saves current circuit with a different name"},
    {187, "Cierra la aplicación", "Closes the application"},
    {188, "Single racing|Añade o borra los tramos de single racing", "Single racing|Adds or deletes single racing tracks"},
    {189, "Mostrar Plantilla|Muestra una imagen como plantilla para dibujar", "Show Template|Shows a bitmap as a template to draw on"},
    {190, "Abrir Plantilla", "Open Template"},
    {191, "Abrir Plantilla...", "Open Template..."},
    {192, "Abre una imagen como plantilla para dibujar", "Opens a bitmap as a template to draw on"},
    // Piece names, types 13 and 14.
    {193, "Curva Interior Single Racing", "Single Racing Inner Curve"},
    {194, "Curva Exterior Single Racing", "Single Racing Outer Curve"},
    // Followed by a file name; the English apostrophe is an acute accent.
    {195, "No se puede encontrar ", "Can´t find "},
    {196, "Imprimir...", "Print..."},
    {197, "Muestra el diálogo de impresión", "Shows the print options dialog"},
    {198, "Debe borrar primero los tramos entre chicanes.", "You must delete first the tracks between chicanes."},
    {199, "", ""},

    {200, "Borrar todos los bordes|Borra todos los bordes", "Delete all borders|Deletes all borders"},
    {201, "Tiempos de Vuelta|Muestra el tiempo estimado de pole", "Lap Times|Shows estimated pole time"},
    {202, "Estabilidad en Curva del Coche", "Model Curve Stability"},
    {203, "Potencia del Motor del Coche", "Model Engine Power"},
    {204, "Tiempos de Vuelta...", "Lap Times..."},
    {205, "Búsqueda Aleatoria", "Random Search"},
    {206, "¿Desea buscar otra solución?", "Do you wish to search another solution?"},
    {207, "Se necesitan curvas exteriores o superexteriores.", "Outer or super outer curves are required."},
    {208, "Color de Fondo", "Background Color"},
    {209, "Debe seleccionar una curva.", "You must select a curve."},
    {210, "Barreras|Añade o borra las barreras del tramo seleccionado", "Crash Barriers|Adds or deletes crash barriers to the selected track"},
    {211, "Características del Coche", "Model Features"},
    {212, "Primera Vuelta", "First Lap"},
    {213, "Borrar Barreras|Borra las barreras de los tramos seleccionados", "Delete Crash Barriers|Deletes selected tracks barriers"},
    {214, "Insertar Icono|Dibuja un icono en el circuito", "Insert Icon|Draws an icon on the circuit"},

    // Accessory icons, then track surfaces.
    {215, "Mando", "Controller"},
    {216, "Cuenta Vueltas", "Lap Counter"},
    {217, "Salida", "Start"},
    {218, "Ayudante", "Assistant"},
    {219, "Asfalto", "Asphalt"},
    {220, "Nieve", "Snow"},
    {221, "Tierra", "Sand"},
    {222, "Agua", "Water"},
    {223, "Alimentador", "Power Source"},

    {224, "Ajustar a la Ventana", "Fit to Window"},
    {225, "Compacidad: ", "Compactness: "},
    {226, "Aprovechamiento del Espacio", "Area Proficiency"},
    {227, "Borrar Bordes Interiores|Borra los bordes interiores", "Delete Inner Borders|Deletes inner borders"},
    {228, "Borrar Bordes Exteriores|Borra los bordes exteriores", "Delete Outer Borders|Deletes outer borders"},
    {229, "Cortar Tramos|Corta los tramos seleccionados", "Cut Tracks|Cuts the selected tracks"},
    {230, "Copiar Tramos|Copia los tramos seleccionados", "Copy Tracks|Copies the selected tracks"},
    {231, "Pegar Tramos|Pega los tramos del portapapeles", "Paste Tracks|Copies the clipboard tracks"},
    {232, "Seleccionar Todo", "Select All"},
    {233, "Cortar Tramos", "Cut Tracks"},
    {234, "Copiar Tramos", "Copy Tracks"},
    {235, "Pegar Tramos", "Paste Tracks"},
    {236, "Seleccionar Todo", "Select All"},
    {237, "Anchos incompatibles", "Wide incompatibility"},
    {238, "Mostrar Reglas", "Show Rulers"},
    {239, "", ""},
};
// clang-format on

static_assert(std::size(kTable) == kTextEntries, "the table holds one line per entry");

consteval bool NumberedInOrder() {
    for (int i = 0; i < kTextEntries; ++i) {
        if (kTable[i].number != i) return false;
    }
    return true;
}
static_assert(NumberedInOrder(), "every line carries its own entry number");

int g_language = kSpanish;

int Normalised(int language) { return language == kEnglish ? kEnglish : kSpanish; }

using Block = std::array<std::string, kTextEntries>;

// Built on first use, so a lookup made while other statics are being set up
// still finds the table.
const Block& BlockOf(int language) {
    static const std::array<Block, 2> blocks = [] {
        std::array<Block, 2> b;
        for (int i = 0; i < kTextEntries; ++i) {
            b[0][i] = std::string(kTable[i].spanish);
            b[1][i] = std::string(kTable[i].english);
        }
        return b;
    }();
    return blocks[Normalised(language) - 1];
}

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

}  // namespace

int LanguageIndex() { return g_language; }

void SetLanguageIndex(int language) { g_language = Normalised(language); }

const std::string& TextIn(int language, int n) {
    if (n < 0 || n >= kTextEntries) return Empty();
    return BlockOf(language)[n];
}

const std::string& Text(int n) { return TextIn(g_language, n); }

bool IsUsedEntry(int n) { return n >= 0 && n < kTextEntries && n != 199 && n != 239; }

bool IsUntitledTitle(std::string_view title) {
    return title == TextIn(kSpanish, kUntitledEntry) || title == TextIn(kEnglish, kUntitledEntry);
}

namespace {

// The number New puts after the untitled text: digits without a leading
// zero, as std::to_string writes the counter.
bool IsNewCircuitNumber(std::string_view s) {
    if (s.empty() || s.size() > 10 || s.front() == '0') return false;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

}  // namespace

std::string TitleForLanguage(std::string_view title, int language) {
    if (IsUntitledTitle(title)) return TextIn(language, kUntitledEntry);
    // "Untitled 7" from New follows the language too, number and all.
    const std::size_t blank = title.rfind(' ');
    if (blank != std::string_view::npos && IsUntitledTitle(title.substr(0, blank)) &&
        IsNewCircuitNumber(title.substr(blank + 1))) {
        return TextIn(language, kUntitledEntry) + std::string(title.substr(blank));
    }
    return std::string(title);
}

}  // namespace quillet
