#pragma once

#include <QIcon>

// Small drawn glyphs of the diagram tool bar's buttons.
namespace ToolGlyphs {

QIcon Fit();
QIcon Ortho();
QIcon Render();
QIcon Print();

}  // namespace ToolGlyphs
