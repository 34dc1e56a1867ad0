// A view and a shell for driving the document's commands without windows:
// the view counts its repaints, the shell answers each dialog from a queue.
#pragma once

#include "document/album_view.h"
#include "document/document_shell.h"
#include "document/zelbrin_doc.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

class FakeView : public CAlbumView {
public:
    void SelectTopItem() override { ++selects; }
    void RedrawPage() override { ++redraws; }
    void GetClientExtent(int& h, int& w) override {
        h = height;
        w = width;
    }
    int GetPixelsPerInch() override { return ppi; }
    void GetPageInches(float& w, float& h) override {
        w = widthInches;
        h = heightInches;
    }
    int height = 630;
    int width = 480;
    int ppi = 0; // not known: nothing converted or recorded
    float widthInches = 0.0f, heightInches = 0.0f;
    int selects = 0;
    int redraws = 0;
};

// Answers each dialog from a queue; an empty answer is Cancel.
class ScriptedShell : public CDocumentShell {
public:
    bool AskAlbumToOpen(std::string& path) override { return Next(opens, path); }
    bool AskAlbumToSave(const std::string& initialName, std::string& path) override {
        initialNames.push_back(initialName);
        return Next(saves, path);
    }
    bool AskPicturesToOpen(std::vector<std::string>& paths) override {
        if (pictures.empty())
            return false;
        const bool answered = pictures.front().has_value();
        if (answered)
            paths = *pictures.front();
        pictures.pop_front();
        return answered;
    }
    bool AskTemplateToOpen(std::string& path) override { return Next(templateOpens, path); }
    bool AskTemplateToSave(const std::string& initialName, std::string& path) override {
        initialNames.push_back(initialName);
        return Next(templateSaves, path);
    }
    bool EditTextItem(TextItemFields& fields) override {
        shownTexts.push_back(fields);
        if (texts.empty() || !texts.front()) {
            if (!texts.empty())
                texts.pop_front();
            return false;
        }
        fields = *texts.front();
        texts.pop_front();
        return true;
    }
    bool AskPictureToLocate(const std::string& name, std::string& path) override {
        located.push_back(name);
        return Next(locates, path);
    }
    void AddToRecentFileList(const std::string& path) override { recent.push_back(path); }

    std::deque<std::optional<std::string>> opens, saves, templateOpens, templateSaves, locates;
    std::deque<std::optional<std::vector<std::string>>> pictures;
    std::deque<std::optional<TextItemFields>> texts;
    std::vector<std::string> initialNames, recent, located;
    std::vector<TextItemFields> shownTexts;

private:
    static bool Next(std::deque<std::optional<std::string>>& q, std::string& out) {
        if (q.empty())
            return false;
        auto v = q.front();
        q.pop_front();
        if (!v)
            return false;
        out = *v;
        return true;
    }
};

// A new document on the fake view and shell, with a 400 x 300 picture
// land.jpg in a scratch folder.
class FakeDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetAlbumView(&view);
        doc.SetShell(&shell);
        doc.OnNewDocument();
        MakeJpeg(dir.File("land.jpg"), 400, 300);
    }
    std::string Land() { return dir.File("land.jpg"); }

    TempDir dir;
    FakeView view;
    ScriptedShell shell;
    CZelbrinDoc doc;
};
