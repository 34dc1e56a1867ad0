// What the document asks of the view that shows it.
#pragma once

class CAlbumView {
public:
    // The last item becomes the selected, floating item; the background is rebuilt.
    virtual void SelectTopItem() = 0;
    // The whole page is drawn again.
    virtual void RedrawPage() = 0;
    // Height and width of the page (the view's client area) in pixels.
    virtual void GetClientExtent(int& nHeight, int& nWidth) = 0;
    // The pixels per inch of the items' places, and the page's size in
    // inches; 0 when the view does not know them (nothing is converted or
    // recorded then).
    virtual int GetPixelsPerInch() { return 0; }
    virtual void GetPageInches(float& fWidth, float& fHeight) { fWidth = fHeight = 0.0f; }

protected:
    ~CAlbumView() = default;
};
