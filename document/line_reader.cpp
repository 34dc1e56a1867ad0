#include "document/line_reader.h"

LineReader::LineReader(const std::string& contents) {
    std::string text;
    text.reserve(contents.size());
    for (std::size_t i = 0; i < contents.size(); ++i) {
        if (contents[i] == '\r' && i + 1 < contents.size() && contents[i + 1] == '\n')
            continue; // CR LF reads as LF
        text += contents[i];
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            m_lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

bool LineReader::Next(std::string& line) {
    if (m_pos >= m_lines.size())
        return false;
    line = m_lines[m_pos++];
    return true;
}
