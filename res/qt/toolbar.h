// The tool bar: its buttons in order and the strip of button images.
#pragma once

#include <QImage>

#include <span>

constexpr int TOOLBAR_IMAGE_WIDTH = 19;
constexpr int TOOLBAR_IMAGE_HEIGHT = 18;
constexpr int TOOLBAR_IMAGE_COUNT = 16;

// Command ids of the buttons left to right; ID_SEPARATOR (0) stands for a gap.
// The n-th non-separator button shows image n of the strip.
std::span<const unsigned> GetToolBarButtons();

// The 304 x 18 strip of 16 button images in 16 colours (an indexed image with
// the standard 16-colour palette); light grey (192, 192, 192) is the background.
QImage MakeToolBarBitmap();
// The background colour of the strip, shown transparent on the buttons.
QRgb ToolBarBackground();
