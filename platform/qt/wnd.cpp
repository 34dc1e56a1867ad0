#include "platform/qt/wnd.h"

#include "platform/qt/cursor.h"
#include "platform/qt/gdi.h"

#include <QApplication>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

namespace {

CWnd* g_capture = nullptr;

UINT MouseFlags(const QMouseEvent* e) {
    UINT flags = 0;
    const Qt::MouseButtons b = e->buttons();
    if (b & Qt::LeftButton)
        flags |= MK_LBUTTON;
    if (b & Qt::RightButton)
        flags |= MK_RBUTTON;
    if (b & Qt::MiddleButton)
        flags |= MK_MBUTTON;
    if (e->modifiers() & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (e->modifiers() & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

POINT ClientPoint(const QMouseEvent* e) {
    const QPointF p = e->position();
    return POINT{static_cast<LONG>(std::floor(p.x())), static_cast<LONG>(std::floor(p.y()))};
}

void NotePointer(const QMouseEvent* e) {
    const QPointF g = e->globalPosition();
    AfxNotePointerPos(static_cast<int>(std::floor(g.x())), static_cast<int>(std::floor(g.y())));
}

} // namespace

CWnd::CWnd(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface = QImage(1, 1, QImage::Format_RGB32);
    m_surface.fill(Qt::white);
}

CWnd::~CWnd() {
    if (m_bCapture)
        DropCapture();
}

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

namespace {

// The pixels of a RECT (right and bottom outside), turned the right way round;
// coordinates are held within +-2^29 so that Qt's widths cannot overflow (an
// item's place read from a file may span the whole 32-bit range).
QRect AreaOf(const RECT& rc) {
    static constexpr long long kFar = 1 << 29;
    auto hold = [](long long v) { return static_cast<int>(std::clamp(v, -kFar, kFar)); };
    return QRect(QPoint(hold(rc.left), hold(rc.top)),
                 QPoint(hold(static_cast<long long>(rc.right) - 1),
                        hold(static_cast<long long>(rc.bottom) - 1)))
        .normalized();
}

} // namespace

void CWnd::InvalidateRect(const RECT* lpRect, BOOL bErase) {
    if (!lpRect) {
        Invalidate(bErase);
        return;
    }
    m_update += AreaOf(*lpRect).intersected(rect());
    m_bErase = m_bErase || bErase;
    SchedulePaint();
}

void CWnd::ValidateRect(const RECT* lpRect) {
    if (!lpRect) {
        m_update = QRegion();
        return;
    }
    m_update -= AreaOf(*lpRect);
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
    if (m_bCapture)
        return;
    if (CWnd* previous = g_capture) {
        previous->DropCapture();
        previous->OnCaptureChanged(this);
    }
    m_bCapture = true;
    g_capture = this;
    grabMouse();
    // Watches for the capture being taken away while it is held.
    qApp->installEventFilter(this);
}

void CWnd::ReleaseCapture() {
    if (!m_bCapture)
        return;
    DropCapture();
    OnCaptureChanged(nullptr);
}

CWnd* CWnd::GetCapture() {
    return g_capture;
}

void CWnd::DropCapture() {
    m_bCapture = false;
    if (g_capture == this)
        g_capture = nullptr;
    qApp->removeEventFilter(this);
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

bool CWnd::eventFilter(QObject* watched, QEvent* event) {
    if (m_bCapture) {
        // Another widget grabbed the mouse, the window was hidden, or it was
        // deactivated: the capture is gone, as the system takes it away.
        const bool deactivated = event->type() == QEvent::WindowDeactivate && watched == window();
        QWidget* grabber = QWidget::mouseGrabber();
        if (deactivated || grabber != this) {
            DropCapture();
            OnCaptureChanged(qobject_cast<CWnd*>(grabber));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CWnd::ScreenToClient(POINT* pt) const {
    const QPoint p = mapFromGlobal(QPoint(pt->x, pt->y));
    *pt = POINT{p.x(), p.y()};
}

void CWnd::ClientToScreen(POINT* pt) const {
    const QPoint p = mapToGlobal(QPoint(pt->x, pt->y));
    *pt = POINT{p.x(), p.y()};
}

void CWnd::OnLButtonDown(UINT, POINT) {}
void CWnd::OnLButtonUp(UINT, POINT) {}
void CWnd::OnMouseMove(UINT, POINT) {}
void CWnd::OnLButtonDblClk(UINT, POINT) {}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) {
    SetCursor(LoadStandardCursor(IDC_ARROW));
    return TRUE;
}

void CWnd::OnCaptureChanged(CWnd*) {}

void CWnd::mousePressEvent(QMouseEvent* event) {
    NotePointer(event);
    AfxSetCursorWindow(this);
    if (event->button() != Qt::LeftButton)
        return;
    const bool captured = m_bCapture;
    if (!captured)
        OnSetCursor(this, HTCLIENT, WM_LBUTTONDOWN);
    OnLButtonDown(MouseFlags(event), ClientPoint(event));
    if (m_bCapture != captured)
        OnSetCursor(this, HTCLIENT, WM_LBUTTONDOWN);
}

void CWnd::mouseReleaseEvent(QMouseEvent* event) {
    NotePointer(event);
    AfxSetCursorWindow(this);
    if (event->button() != Qt::LeftButton)
        return;
    const bool captured = m_bCapture;
    OnLButtonUp(MouseFlags(event), ClientPoint(event));
    if (captured && !m_bCapture)
        OnSetCursor(this, HTCLIENT, WM_LBUTTONUP);
}

void CWnd::mouseMoveEvent(QMouseEvent* event) {
    NotePointer(event);
    AfxSetCursorWindow(this);
    if (!m_bCapture)
        OnSetCursor(this, HTCLIENT, WM_MOUSEMOVE);
    OnMouseMove(MouseFlags(event), ClientPoint(event));
}

void CWnd::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt delivers the second press of a double-click as this event alone.
    NotePointer(event);
    AfxSetCursorWindow(this);
    if (event->button() == Qt::LeftButton)
        OnLButtonDblClk(MouseFlags(event), ClientPoint(event));
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
