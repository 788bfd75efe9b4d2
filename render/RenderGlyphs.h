#pragma once

#include <QIcon>

// The glyphs of the render window's two toggle buttons, drawn in code. Each
// icon has four looks: up, down (checked), disabled, and under the mouse.
namespace RenderGlyphs {

// Automatic update: a circular arrow around a small lamp.
QIcon AutoUpdate();
// Radiosity: a lamp lighting a room; down, the room's walls glow with the
// light they pass on.
QIcon Radiosity();

}  // namespace RenderGlyphs
