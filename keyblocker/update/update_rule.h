// The rules of the update check that decide without touching Windows: the program's
// version as its version resource gives it, the first line of the update file, and
// whether the version named there is newer.
#pragma once
#include <cstddef>
#include <cstdint>

namespace kq {

// The program's version. Minor and revision keep only their low 8 bits.
struct ProgramVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t revision = 0;
};

// Decodes the product version halves of a fixed version block (dwProductVersionMS/LS).
ProgramVersion DecodeProductVersion(uint32_t versionMS, uint32_t versionLS);

// Collects the first line of the update file from the body as it arrives, and stops
// wanting more as soon as the line's fate is known: the line counts only when it is
// exactly three characters, so a fourth character that is not the line feed settles it.
// Nothing beyond that is ever kept, whatever the size of the body.
class FirstLineReader {
public:
    static constexpr size_t kLineLength = 3;

    // Feeds the next piece of the body; returns how many of its bytes were taken.
    size_t Feed(const char* data, size_t size);
    // Marks the end of the body.
    void End() { m_done = true; }
    // True once no more of the body is needed.
    bool Done() const { return m_done; }
    // True when the first line is known to be exactly three characters long.
    bool LineUsable() const { return m_done && !m_tooLong && m_length == kLineLength; }
    // The first line's characters as far as kept (at most three), NUL-terminated.
    const char* Line() const { return m_line; }

private:
    char m_line[kLineLength + 1] = {};
    size_t m_length = 0;
    bool m_tooLong = false;
    bool m_done = false;
};

// Reads "M.m" as the update file holds it: runs of '.' separate the pieces, leading ones
// are skipped, each piece is read as atoi reads it. Newer when both pieces are present and
// the version beats the program's (major first, then minor; unsigned).
bool IsNewerVersionLine(const char* line, size_t length, uint32_t programMajor, uint32_t programMinor);

// Whether the answer came whole, as far as it was read. WinINet takes a response whose
// connection closed in the middle of its headers for a complete one with an empty body, so
// the body tells: it is cut off when it ended (endOfBody) before the length the headers
// announced, or, without an announced length, before its first byte (the update file is
// never empty). Reading stopped early on purpose (endOfBody false) is no sign of anything.
bool ResponseCutOff(bool endOfBody, size_t bytesRead, bool lengthKnown, uint64_t announcedLength);

// One button of a row: its left edge and width, in pixels.
struct ButtonSpan {
    int left = 0;
    int width = 0;
};

// Lays out a row of count buttons centred in a client area clientWidth wide, gap pixels
// apart: each keeps its designed width unless its caption needs more (needWidths[i],
// the caption's extent and the button's margins). A row wider than the client area
// starts at its left edge. Writes count spans.
void LayOutButtonRow(int clientWidth, int gap, const int* designWidths, const int* needWidths, int count,
                     ButtonSpan* out);

// What a completed request for the update file found.
enum class UpdateOutcome { Failed, NoUpdate, Newer };

// Decides the outcome from the HTTP status and the body's first line.
UpdateOutcome DecideUpdate(bool statusOk, const FirstLineReader& firstLine, const ProgramVersion& program);

}  // namespace kq
