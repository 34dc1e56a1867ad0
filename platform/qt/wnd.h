// A window with a retained surface of its client area, and the framework's
// invalidation model on top of it: client DCs draw into the surface,
// Invalidate/InvalidateRect/ValidateRect keep the update region, and
// UpdateWindow runs OnPaint at once for that region. Qt's own paint event
// only presents the surface.
#pragma once

#include "platform/win/cmdtarget.h"
#include "platform/win/wintypes.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

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

    void SetCapture();
    void ReleaseCapture();
    bool HasCapture() const { return m_bCapture; }

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

private:
    friend class CPaintDC;
    void SchedulePaint();
    // Takes the update region for a paint DC and validates the window.
    QRegion BeginPaintRegion(bool& erase);

    QImage m_surface;
    QRegion m_update;
    bool m_bErase = false;
    bool m_bPaintScheduled = false;
    bool m_bCapture = false;
};
