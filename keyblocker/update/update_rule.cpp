#include "keyblocker/update/update_rule.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace kq {

ProgramVersion DecodeProductVersion(uint32_t versionMS, uint32_t versionLS) {
    ProgramVersion v;
    v.major = versionMS >> 16;
    v.minor = (versionMS & 0xFFFFu) & 0xFFu;
    v.build = versionLS >> 16;
    v.revision = (versionLS & 0xFFFFu) & 0xFFu;
    return v;
}

size_t FirstLineReader::Feed(const char* data, size_t size) {
    size_t used = 0;
    while (!m_done && used < size) {
        const char c = data[used++];
        if (c == '\n') {
            m_done = true;
        } else if (m_length < kLineLength) {
            m_line[m_length++] = c;
        } else {
            // A fourth character before the line feed: the line can no longer count.
            m_tooLong = true;
            m_done = true;
        }
    }
    return used;
}

bool IsNewerVersionLine(const char* line, size_t length, uint32_t programMajor, uint32_t programMinor) {
    // A NUL ends the text as the C string functions see it.
    const size_t end = strnlen(line, length);
    // Split into the first two pieces, with strtok's view of separators.
    std::string pieces[2];
    size_t found = 0;
    size_t i = 0;
    while (found < 2) {
        while (i < end && line[i] == '.') ++i;
        if (i >= end) break;
        const size_t start = i;
        while (i < end && line[i] != '.') ++i;
        pieces[found++].assign(line + start, i - start);
    }
    if (found < 2) return false;
    const uint32_t major = static_cast<uint32_t>(std::atoi(pieces[0].c_str()));
    const uint32_t minor = static_cast<uint32_t>(std::atoi(pieces[1].c_str()));
    return major > programMajor || (major == programMajor && minor > programMinor);
}

void LayOutButtonRow(int clientWidth, int gap, const int* designWidths, const int* needWidths, int count,
                     ButtonSpan* out) {
    long total = 0;
    for (int i = 0; i < count; ++i) {
        out[i].width = designWidths[i] > needWidths[i] ? designWidths[i] : needWidths[i];
        total += out[i].width + (i ? gap : 0);
    }
    long left = (clientWidth - total) / 2;
    if (left < 0) left = 0;
    for (int i = 0; i < count; ++i) {
        out[i].left = static_cast<int>(left);
        left += out[i].width + gap;
    }
}

bool ResponseCutOff(bool endOfBody, size_t bytesRead, bool lengthKnown, uint64_t announcedLength) {
    if (!endOfBody) return false;
    return lengthKnown ? bytesRead < announcedLength : bytesRead == 0;
}

UpdateOutcome DecideUpdate(bool statusOk, const FirstLineReader& firstLine, const ProgramVersion& program) {
    if (!statusOk) return UpdateOutcome::Failed;
    if (!firstLine.LineUsable()) return UpdateOutcome::NoUpdate;
    return IsNewerVersionLine(firstLine.Line(), FirstLineReader::kLineLength, program.major, program.minor)
               ? UpdateOutcome::Newer
               : UpdateOutcome::NoUpdate;
}

}  // namespace kq
