// Helpers shared by the tests: scratch folders, recorded message boxes and
// pictures made on the fly.
#pragma once

#include "platform/win/wintypes.h"

#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its contents.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Records every message box shown while it lives and answers with a fixed result.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    struct Box {
        std::string text;
        UINT type;
    };
    const std::vector<Box>& boxes() const { return m_boxes; }
    std::vector<std::string> texts() const;
    void SetAnswer(int answer) { m_answer = answer; }
    // Answers in order; the fixed answer after the list runs out.
    void SetAnswers(std::vector<int> answers) { m_queue = std::move(answers); }

private:
    static int Handle(const char* text, UINT type, void* self);
    std::vector<Box> m_boxes;
    std::vector<int> m_queue;
    int m_answer;
    void* m_prevContext = nullptr;
    int (*m_prevHandler)(const char*, UINT, void*) = nullptr;
};

// Pixel colour of the test pattern at (x, y) of a w x h picture: smooth
// gradients, so JPEG keeps them close.
void PatternPixel(int x, int y, int w, int h, unsigned char rgb[3]);
// Writes a w x h JPEG test picture at path (the pattern, or one colour).
void MakeJpeg(const std::string& path, int w, int h);
// The bytes of an APP1 EXIF block (from "Exif\0\0") holding one Orientation tag.
std::string ExifOrientationBlock(int orientation);
// A JPEG file (quality 100) of w x h RGB pixels with an EXIF block, when given.
void WriteJpegWithExif(const std::string& path, const unsigned char* rgb, int w, int h,
                       const std::string& exif);
void MakeSolidJpeg(const std::string& path, int w, int h, unsigned char r, unsigned char g,
                   unsigned char b);
// Writes a flat grey JPEG of one component (grayscale) or, with cmyk, four.
void MakeGrayJpeg(const std::string& path, int w, int h, bool cmyk = false);
// A progressive colour JPEG of the pattern, colour at full resolution.
void MakeProgressiveJpeg(const std::string& path, int w, int h);

struct PageItem;
class CZelbrinDoc;
// Gives item new pixels of the given size (shared by the item, as decoded
// ones are) and returns them for filling in before the item is used.
unsigned char* AllocatePixels(PageItem& item, std::size_t bytes);
// A picture item with a w x h buffer of the test pattern.
PageItem PatternPictureItem(int w, int h, RECT place);
// A one-line black Arial text item.
PageItem TextItem(const char* text, RECT place);

// A test's names for the items of a page, kept by their identity wherever
// the array moves them.
class ItemNames {
public:
    // Appends item to doc under name.
    void Append(CZelbrinDoc& doc, const PageItem& item, const std::string& name);
    // The item named name; null when it has left the page.
    const PageItem* Find(const CZelbrinDoc& doc, const std::string& name) const;
    // The names of doc's items in array order; "?" for one without a name.
    std::string Order(const CZelbrinDoc& doc) const;
    // The name of the selected (last) item.
    std::string Selected(const CZelbrinDoc& doc) const;
    void Clear() { m_names.clear(); }

private:
    std::vector<std::pair<unsigned, std::string>> m_names;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::vector<std::string> FilesIn(const std::string& folder);
