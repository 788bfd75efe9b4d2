#include "DiagramOptions.h"

#include <QGuiApplication>

#include "diagram/PictogramStrip.h"

DiagramColors DiagramColorsFromPalette(const QPalette& palette)
{
    DiagramColors colors;
    colors.ButtonFace = palette.color(QPalette::Active, QPalette::Button);
    colors.ButtonShadow = palette.color(QPalette::Active, QPalette::Dark);
    colors.WindowText = palette.color(QPalette::Active, QPalette::WindowText);
    return colors;
}

DiagramOptions DefaultDiagramOptions()
{
    DiagramOptions options;
    if (QGuiApplication::instance() != nullptr) {
        options.Colors = DiagramColorsFromPalette(QGuiApplication::palette());
        options.WarningIcon = DiagramWarningIcon();
    }
    return options;
}
