#pragma once
// Placeholder until the painter-backed canvas lands.
namespace quillet {
int PainterCanvasPlaceholder();
}
