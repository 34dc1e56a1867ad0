// Print preview: the page as the printer gets it, shown in the frame in place
// of the view, with the preview tool bar above it.
#pragma once

#include <QWidget>

#include <functional>

class QPrinter;
class QPrintPreviewWidget;
class QToolButton;

class CPreviewView : public QWidget {
    Q_OBJECT
public:
    // paint draws the pages into the printer it is given; nPages (1 or 2) is
    // the number of pages side by side at the start.
    CPreviewView(QPrinter* printer, int nPages, std::function<void(QPrinter*)> paint,
                 QWidget* parent = nullptr);

    // Called by Print... (before the preview closes) and by Close or Esc.
    std::function<void()> onPrint;
    std::function<void()> onClose;

    QPrintPreviewWidget* Widget() const { return m_pWidget; }
    int PageCount() const;
    int PagesShown() const { return m_nPages; }
    // The preview's buttons by their text: "Print...", "Next Page", "Prev Page",
    // "One Page" or "Two Page", "Zoom In", "Zoom Out", "Close".
    QToolButton* Button(const QString& text) const;
    // Refreshes which buttons are enabled and the page-count button's text.
    void UpdateButtons();

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    QToolButton* AddButton(const QString& text, std::function<void()> action);
    void SetPages(int nPages);

    QPrintPreviewWidget* m_pWidget;
    QToolButton* m_pPrint = nullptr;
    QToolButton* m_pNext = nullptr;
    QToolButton* m_pPrev = nullptr;
    QToolButton* m_pPages = nullptr;
    QToolButton* m_pZoomIn = nullptr;
    QToolButton* m_pZoomOut = nullptr;
    QToolButton* m_pClose = nullptr;
    int m_nPages = 1;
    int m_nZoom = 0; // zoom-in steps from the whole page
};
