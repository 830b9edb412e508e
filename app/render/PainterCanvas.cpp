#include "app/render/PainterCanvas.h"
namespace quillet {
int PainterCanvasPlaceholder() { return 0; }
}
