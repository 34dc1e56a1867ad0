// The application icon, drawn in code: an album page holding a photograph.
#pragma once

#include <QIcon>
#include <QPixmap>

// The icon drawn at size x size pixels.
QPixmap AppIconPixmap(int size);
// The icon at the usual sizes (16 to 256 pixels).
QIcon AppIcon();
// Icon resources by id: IDI_ZELBRIN gives AppIcon(); others a null icon.
QIcon LoadIconResource(int resourceId);
