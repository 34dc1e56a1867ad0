// A window with a retained surface of its client area, and the framework's
// invalidation model on top of it: client DCs draw into the surface,
// Invalidate/InvalidateRect/ValidateRect keep the update region, and
// UpdateWindow runs OnPaint at once for that region. Qt's own paint event
// only presents the surface. Qt's mouse events become the left-button
// messages in client coordinates, with the capture and the pointer's shape
// handled as the framework does.
#pragma once

#include "platform/win/cmdtarget.h"
#include "platform/win/wintypes.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

// Mouse-message flags, hit-test codes and message ids.
constexpr UINT MK_LBUTTON = 0x0001;
constexpr UINT MK_RBUTTON = 0x0002;
constexpr UINT MK_SHIFT = 0x0004;
constexpr UINT MK_CONTROL = 0x0008;
constexpr UINT MK_MBUTTON = 0x0010;
constexpr UINT HTCLIENT = 1;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;

class CWnd : public QWidget, public CCmdTarget {
    Q_OBJECT
public:
    explicit CWnd(QWidget* parent = nullptr);
    ~CWnd() override;

    void GetClientRect(RECT* rc) const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    void ValidateRect(const RECT* lpRect);
    // Runs OnPaint now when part of the window is invalid.
    void UpdateWindow();
    BOOL GetUpdateRect(RECT* rc) const;

    // Mouse capture: while held, moves and the release arrive here wherever
    // the pointer is. Losing it to another window or to deactivation, or
    // releasing it, calls OnCaptureChanged.
    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const { return m_bCapture; }
    static CWnd* GetCapture();

    void ScreenToClient(POINT* pt) const;
    void ClientToScreen(POINT* pt) const;

    // Left-button messages with the point in client coordinates. The second
    // press of a double-click arrives as OnLButtonDblClk instead of
    // OnLButtonDown; its release still arrives as OnLButtonUp.
    virtual void OnLButtonDown(UINT nFlags, POINT point);
    virtual void OnLButtonUp(UINT nFlags, POINT point);
    virtual void OnMouseMove(UINT nFlags, POINT point);
    virtual void OnLButtonDblClk(UINT nFlags, POINT point);
    // Asked for the pointer's shape when the pointer moves over the window
    // without a capture and when a capture begins or ends. The default shows
    // the standard arrow.
    virtual BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // The capture has gone; pWnd is the window that took it, or null.
    virtual void OnCaptureChanged(CWnd* pWnd);

    // The retained pixels of the client area.
    QImage& Surface();
    const QRegion& UpdateRegion() const { return m_update; }

    // Handler of the paint message; the default validates the region.
    virtual void OnPaint();
    virtual void OnSize(UINT nType, int cx, int cy);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class CPaintDC;
    void SchedulePaint();
    // Takes the update region for a paint DC and validates the window.
    QRegion BeginPaintRegion(bool& erase);
    // Ends the capture without telling anyone.
    void DropCapture();

    QImage m_surface;
    QRegion m_update;
    bool m_bErase = false;
    bool m_bPaintScheduled = false;
    bool m_bCapture = false;
};
