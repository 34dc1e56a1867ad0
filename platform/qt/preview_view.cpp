#include "platform/qt/preview_view.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kMaxZoom = 2;
}

CPreviewView::CPreviewView(QPrinter* printer, int nPages, std::function<void(QPrinter*)> paint,
                           QWidget* parent)
    : QWidget(parent), m_pWidget(new QPrintPreviewWidget(printer, this)) {
    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(bar);
    column->addWidget(m_pWidget, 1);
    m_pPrint = AddButton("Print...", [this] {
        if (onPrint)
            onPrint();
    });
    m_pNext = AddButton("Next Page", [this] {
        m_pWidget->setCurrentPage(m_pWidget->currentPage() + 1);
        UpdateButtons();
    });
    m_pPrev = AddButton("Prev Page", [this] {
        m_pWidget->setCurrentPage(m_pWidget->currentPage() - 1);
        UpdateButtons();
    });
    m_pPages = AddButton("Two Page", [this] { SetPages(m_nPages == 1 ? 2 : 1); });
    m_pZoomIn = AddButton("Zoom In", [this] {
        ++m_nZoom;
        m_pWidget->zoomIn(1.5);
        UpdateButtons();
    });
    m_pZoomOut = AddButton("Zoom Out", [this] {
        if (--m_nZoom <= 0) {
            m_nZoom = 0;
            m_pWidget->fitInView();
        } else {
            m_pWidget->zoomOut(1.5);
        }
        UpdateButtons();
    });
    m_pClose = AddButton("Close", [this] {
        if (onClose)
            onClose();
    });
    for (QToolButton* b : {m_pPrint, m_pNext, m_pPrev, m_pPages, m_pZoomIn, m_pZoomOut, m_pClose})
        bar->addWidget(b);
    bar->addStretch(1);
    // The page is recorded once; zooming and paging redraw the recording.
    connect(m_pWidget, &QPrintPreviewWidget::paintRequested, this,
            [paint](QPrinter* p) { paint(p); });
    connect(m_pWidget, &QPrintPreviewWidget::previewChanged, this, [this] { UpdateButtons(); });
    setFocusPolicy(Qt::StrongFocus);
    SetPages(nPages == 2 ? 2 : 1);
}

QToolButton* CPreviewView::AddButton(const QString& text, std::function<void()> action) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(b, &QToolButton::clicked, this, [action] { action(); });
    return b;
}

int CPreviewView::PageCount() const {
    return m_pWidget->pageCount();
}

QToolButton* CPreviewView::Button(const QString& text) const {
    for (QToolButton* b : findChildren<QToolButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

void CPreviewView::SetPages(int nPages) {
    m_nPages = nPages;
    if (nPages == 2)
        m_pWidget->setViewMode(QPrintPreviewWidget::FacingPagesView);
    else
        m_pWidget->setViewMode(QPrintPreviewWidget::SinglePageView);
    m_nZoom = 0;
    m_pWidget->fitInView();
    UpdateButtons();
}

void CPreviewView::UpdateButtons() {
    const int count = m_pWidget->pageCount();
    const int current = m_pWidget->currentPage();
    m_pNext->setEnabled(current < count);
    m_pPrev->setEnabled(current > 1);
    m_pPages->setText(m_nPages == 1 ? "Two Page" : "One Page");
    m_pZoomIn->setEnabled(m_nZoom < kMaxZoom);
    m_pZoomOut->setEnabled(m_nZoom > 0);
}

void CPreviewView::keyPressEvent(QKeyEvent* e) {
    // Esc closes the preview, wherever in it the focus is.
    if (e->key() == Qt::Key_Escape && onClose) {
        onClose();
        return;
    }
    QWidget::keyPressEvent(e);
}
