// The update file's first line and the version comparison.
#include <gtest/gtest.h>

#include <string>

#include "keyblocker/update/update_rule.h"

using kq::DecideUpdate;
using kq::FirstLineReader;
using kq::ProgramVersion;
using kq::UpdateOutcome;

namespace {

const ProgramVersion kOwn = kq::DecodeProductVersion(0x00010001u, 0x0000000Au);  // 1.1.0.10

UpdateOutcome Decide(const std::string& body, const ProgramVersion& own = kOwn) {
    FirstLineReader r;
    r.Feed(body.data(), body.size());
    if (!r.Done()) r.End();
    return DecideUpdate(true, r, own);
}

}  // namespace

TEST(UpdateRule, VersionResourceKeepsLowBitsOfMinorAndRevision) {
    EXPECT_EQ(kOwn.major, 1u);
    EXPECT_EQ(kOwn.minor, 1u);
    EXPECT_EQ(kOwn.build, 0u);
    EXPECT_EQ(kOwn.revision, 10u);
    const ProgramVersion v = kq::DecodeProductVersion((3u << 16) | 258u, (7u << 16) | 0x1FFu);
    EXPECT_EQ(v.major, 3u);
    EXPECT_EQ(v.minor, 2u);
    EXPECT_EQ(v.build, 7u);
    EXPECT_EQ(v.revision, 0xFFu);
}

TEST(UpdateRule, FileContentsAgainstVersionOneOne) {
    EXPECT_EQ(Decide("1.2"), UpdateOutcome::Newer);
    EXPECT_EQ(Decide("1.2\n"), UpdateOutcome::Newer);
    EXPECT_EQ(Decide("1.2\nanything after the first line"), UpdateOutcome::Newer);
    EXPECT_EQ(Decide("2.0"), UpdateOutcome::Newer);
    EXPECT_EQ(Decide("1.1"), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("0.9"), UpdateOutcome::NoUpdate);
    // The carriage return stays part of the line, which is then four characters long.
    EXPECT_EQ(Decide("1.2\r\n"), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("10.1"), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("1.."), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide(""), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("\n1.2"), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("1.2 "), UpdateOutcome::NoUpdate);
}

TEST(UpdateRule, PiecesAreReadAsAtoiReadsThem) {
    // Leading full stops are skipped, so only one piece remains: no update.
    EXPECT_EQ(Decide(".5."), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("..9"), UpdateOutcome::NoUpdate);
    // Non-digits read as 0.
    EXPECT_EQ(Decide("a.b"), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("2.x"), UpdateOutcome::Newer);
    EXPECT_EQ(Decide("-.9"), UpdateOutcome::NoUpdate);
    // No full stop at all: a single piece.
    EXPECT_EQ(Decide("999"), UpdateOutcome::NoUpdate);
    // A NUL ends the text as the C functions see it.
    EXPECT_EQ(Decide(std::string("2\0.", 3)), UpdateOutcome::NoUpdate);
}

TEST(UpdateRule, ComparisonIsMajorThenMinorUnsigned) {
    const ProgramVersion nine = kq::DecodeProductVersion((9u << 16) | 9u, 0);
    EXPECT_EQ(Decide("9.9", nine), UpdateOutcome::NoUpdate);
    EXPECT_EQ(Decide("8.9", nine), UpdateOutcome::NoUpdate);
    const ProgramVersion zero = kq::DecodeProductVersion(0, 0);
    EXPECT_EQ(Decide("0.1", zero), UpdateOutcome::Newer);
    EXPECT_EQ(Decide("0.0", zero), UpdateOutcome::NoUpdate);
}

TEST(UpdateRule, FailedRequestWinsOverAnyBody) {
    FirstLineReader r;
    r.Feed("1.2\n", 4);
    EXPECT_EQ(DecideUpdate(false, r, kOwn), UpdateOutcome::Failed);
}

TEST(UpdateRule, ReaderStopsAsSoonAsTheLineIsDecided) {
    // Byte by byte, as a slow server delivers it.
    FirstLineReader r;
    const std::string body = "1.2\nrest";
    size_t taken = 0;
    for (char c : body) {
        if (r.Done()) break;
        taken += r.Feed(&c, 1);
    }
    EXPECT_EQ(taken, 4u);
    EXPECT_TRUE(r.LineUsable());
    EXPECT_STREQ(r.Line(), "1.2");

    // A long first line: four bytes settle it, however much follows.
    FirstLineReader big;
    const std::string huge(1 << 20, '7');
    EXPECT_EQ(big.Feed(huge.data(), huge.size()), 4u);
    EXPECT_TRUE(big.Done());
    EXPECT_FALSE(big.LineUsable());

    // A short body that ends without a line feed.
    FirstLineReader shortBody;
    shortBody.Feed("1.", 2);
    EXPECT_FALSE(shortBody.Done());
    EXPECT_FALSE(shortBody.LineUsable());
    shortBody.End();
    EXPECT_FALSE(shortBody.LineUsable());
}

TEST(UpdateRule, BodyEndingBeforeItsAnnouncedLengthOrEmptyWithoutOneIsCutOff) {
    using kq::ResponseCutOff;
    EXPECT_TRUE(ResponseCutOff(true, 0, false, 0));  // the headers never ended
    EXPECT_TRUE(ResponseCutOff(true, 0, true, 3));   // announced 3, nothing came
    EXPECT_TRUE(ResponseCutOff(true, 2, true, 3));
    EXPECT_FALSE(ResponseCutOff(true, 3, true, 3));
    EXPECT_FALSE(ResponseCutOff(true, 0, true, 0));     // an announced empty file
    EXPECT_FALSE(ResponseCutOff(true, 3, false, 0));    // ends with the connection
    EXPECT_FALSE(ResponseCutOff(false, 0, true, 100));  // reading stopped after the line
    EXPECT_FALSE(ResponseCutOff(false, 4, false, 0));
}

TEST(UpdateRule, ButtonRowsWidenForTheirCaptionsAndStayCentred) {
    kq::ButtonSpan spans[2];
    // The asking row of a 372-pixel dialog: the first caption needs more than designed.
    const int design[2] = {150, 150}, need[2] = {162, 110};
    kq::LayOutButtonRow(372, 9, design, need, 2, spans);
    EXPECT_EQ(spans[0].width, 162);
    EXPECT_EQ(spans[1].width, 150);
    EXPECT_EQ(spans[1].left, spans[0].left + 162 + 9);
    EXPECT_EQ(spans[0].left, (372 - (162 + 9 + 150)) / 2);
    // One button alone, centred; a row too wide starts at the left edge.
    kq::LayOutButtonRow(372, 0, design, need, 1, spans);
    EXPECT_EQ(spans[0].left, (372 - 162) / 2);
    const int wide[2] = {300, 300};
    kq::LayOutButtonRow(372, 9, wide, need, 2, spans);
    EXPECT_EQ(spans[0].left, 0);
    EXPECT_EQ(spans[1].left, 309);
}
