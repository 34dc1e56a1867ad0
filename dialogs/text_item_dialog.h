// Edit Text Item: the text, the three styles and the font of a text item.
#pragma once

#include "document/document_shell.h"
#include "platform/qt/dialog.h"
#include "res/resource.h"

#include <string>

class CTextItemDialog : public CDialog {
public:
    explicit CTextItemDialog(QWidget* pParent = nullptr) : CDialog(pParent) {}

    std::string m_strText; // line breaks as CR LF pairs
    int m_nBold = 0;       // 0 off, 1 on
    int m_nItalic = 0;
    int m_nUnderline = 0;
    std::string m_strFont;

    // The font list, in the order it is shown.
    static const char* const kFontNames[12];
    // Longest font name the dialog accepts, in characters.
    static constexpr int kMaxFontChars = 30;

    // The members from the fields, and back.
    void SetFields(const TextItemFields& fields);
    TextItemFields Fields() const;

protected:
    void CreateControls(QDialog& window) override;
    void OnInitDialog() override;
    bool ReadControls() override;
    // What the line under the text says of its length (the item holds at most
    // MAX_TEXT_CHARS bytes, a line break taking two).
    static std::string CharactersLeftText(const std::string& typed);
};
