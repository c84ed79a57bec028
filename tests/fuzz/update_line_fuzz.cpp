// The body of the update file as a server may send it, in pieces of any size: the reader
// keeps at most the first three characters, wants no more once the line is decided, and
// the outcome is the same whichever way the body was cut into pieces.
#include <cstdint>
#include <cstring>

#include "keyblocker/update/update_rule.h"

namespace {

kq::UpdateOutcome Run(const uint8_t* body, size_t size, size_t piece, size_t* taken) {
    kq::FirstLineReader reader;
    size_t offset = 0;
    while (!reader.Done() && offset < size) {
        const size_t n = size - offset < piece ? size - offset : piece;
        const size_t used = reader.Feed(reinterpret_cast<const char*>(body + offset), n);
        if (used > n) __builtin_trap();
        offset += used;
        if (used < n && !reader.Done()) __builtin_trap();  // it stops taking only when done
    }
    const bool ended = !reader.Done();
    if (ended) reader.End();
    if (std::strlen(reader.Line()) > kq::FirstLineReader::kLineLength) __builtin_trap();
    *taken = offset;
    kq::ProgramVersion program;
    program.major = 1;
    program.minor = 1;
    return kq::DecideUpdate(true, reader, program);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const size_t piece = 1 + data[0] % 7;
    size_t takenWhole = 0, takenPieces = 0;
    const kq::UpdateOutcome whole = Run(data + 1, size - 1, size, &takenWhole);
    const kq::UpdateOutcome pieces = Run(data + 1, size - 1, piece, &takenPieces);
    if (whole != pieces || takenWhole != takenPieces) __builtin_trap();
    if (takenWhole > kq::FirstLineReader::kLineLength + 1) __builtin_trap();  // never reads on
    if (whole == kq::UpdateOutcome::Failed) __builtin_trap();                 // the body alone never fails
    // The line check agrees with the plain rule on a line of exactly three characters.
    if (size - 1 >= 3) {
        const char* b = reinterpret_cast<const char*>(data + 1);
        const bool exact = std::memchr(b, '\n', 3) == nullptr && (size - 1 == 3 || b[3] == '\n');
        const bool newer = exact && kq::IsNewerVersionLine(b, 3, 1, 1);
        if ((whole == kq::UpdateOutcome::Newer) != newer) __builtin_trap();
    }
    return 0;
}
