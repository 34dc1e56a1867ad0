// The application icon: an album page with a photo on it, drawn at any size.
#pragma once

#include <QIcon>
#include <QImage>

// The icon drawn into a size x size picture with a transparent background.
QImage MakeAppIconImage(int size);
// The icon at 16, 32 and 48 pixels.
QIcon MakeAppIcon();
