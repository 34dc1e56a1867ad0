// The lines of an album or template file: text written in text mode, so every
// line ends with CR LF. CR LF reads as LF, the text is split at LF and empty
// lines are skipped wherever they stand.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class LineReader {
public:
    explicit LineReader(const std::string& contents);

    // The next non-empty line; false at the end of the file.
    bool Next(std::string& line);
    std::size_t Remaining() const { return m_lines.size() - m_pos; }

private:
    std::vector<std::string> m_lines;
    std::size_t m_pos = 0;
};
