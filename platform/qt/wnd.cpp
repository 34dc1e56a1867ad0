#include "platform/qt/wnd.h"

#include "platform/qt/gdi.h"

#include <QMetaObject>
#include <QPainter>
#include <QPaintEvent>

CWnd::CWnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface = QImage(1, 1, QImage::Format_RGB32);
    m_surface.fill(Qt::white);
}

CWnd::~CWnd() = default;

void CWnd::GetClientRect(RECT* rc) const {
    *rc = RECT{0, 0, width(), height()};
}

QImage& CWnd::Surface() {
    // The surface follows the window's size, also before the window is shown.
    QSize s = size().expandedTo(QSize(1, 1));
    if (s != m_surface.size()) {
        QImage next(s, QImage::Format_RGB32);
        next.fill(Qt::white);
        QPainter p(&next);
        p.drawImage(0, 0, m_surface);
        p.end();
        m_surface = next;
    }
    return m_surface;
}

void CWnd::Invalidate(BOOL bErase) {
    m_update = QRegion(rect());
    m_bErase = m_bErase || bErase;
    SchedulePaint();
}

void CWnd::InvalidateRect(const RECT* lpRect, BOOL bErase) {
    if (!lpRect) {
        Invalidate(bErase);
        return;
    }
    QRect r(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1));
    m_update += r.normalized().intersected(rect());
    m_bErase = m_bErase || bErase;
    SchedulePaint();
}

void CWnd::ValidateRect(const RECT* lpRect) {
    if (!lpRect) {
        m_update = QRegion();
        return;
    }
    QRect r(QPoint(lpRect->left, lpRect->top), QPoint(lpRect->right - 1, lpRect->bottom - 1));
    m_update -= r.normalized();
}

BOOL CWnd::GetUpdateRect(RECT* rc) const {
    QRect b = m_update.boundingRect();
    *rc = m_update.isEmpty() ? RECT{0, 0, 0, 0}
                             : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return !m_update.isEmpty();
}

void CWnd::UpdateWindow() {
    if (!m_update.isEmpty())
        OnPaint();
}

void CWnd::SchedulePaint() {
    // A paint message arrives once the program is idle again.
    if (m_bPaintScheduled || m_update.isEmpty())
        return;
    m_bPaintScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_bPaintScheduled = false;
            UpdateWindow();
        },
        Qt::QueuedConnection);
}

QRegion CWnd::BeginPaintRegion(bool& erase) {
    QRegion region = m_update;
    erase = m_bErase;
    m_update = QRegion();
    m_bErase = false;
    return region;
}

void CWnd::OnPaint() {
    CPaintDC dc(this);
}

void CWnd::OnSize(UINT, int, int) {}

void CWnd::SetCapture() {
    m_bCapture = true;
    grabMouse();
}

void CWnd::ReleaseCapture() {
    if (m_bCapture)
        releaseMouse();
    m_bCapture = false;
}

void CWnd::paintEvent(QPaintEvent* event) {
    Surface();
    QPainter p(this);
    for (const QRect& r : event->region())
        p.drawImage(r, m_surface, r);
}

void CWnd::resizeEvent(QResizeEvent*) {
    Surface();
    Invalidate(TRUE);
    OnSize(0, width(), height());
}

void CWnd::showEvent(QShowEvent*) {
    Invalidate(TRUE);
}
