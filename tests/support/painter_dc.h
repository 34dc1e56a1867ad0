// A device context drawing through a painter into an image, as a printer DC
// does (no surface of its own).
#pragma once

#include "platform/qt/gdi.h"

#include <QImage>
#include <QPainter>

class PainterDC : public CDC {
public:
    explicit PainterDC(QImage* image) : m_painter(image) {
        AttachPainter(&m_painter);
        SetValid();
    }

private:
    QPainter m_painter;
};
