// The application icon, drawn in code: an album page holding a photograph.
#pragma once

#include <QIcon>
#include <QPixmap>

// The sizes the icon is made in, for the window and for the desktop.
inline constexpr int kAppIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The icon drawn at size x size pixels.
QPixmap AppIconPixmap(int size);
// The icon at the usual sizes (16 to 256 pixels).
QIcon AppIcon();
// Icon resources by id: IDI_ZELBRIN gives AppIcon(); others a null icon.
QIcon LoadIconResource(int resourceId);
