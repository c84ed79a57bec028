// The update check's decisions: version text, the bounded body, the verdict, the texts.
#include <gtest/gtest.h>

#include <string>

#include "monitor/app/update_core.h"

namespace {

using app::UpdateBody;
using app::UpdateVerdict;

UpdateBody BodyOf(const std::string& s) {
    UpdateBody b;
    b.Feed(s.data(), s.size());
    return b;
}

}  // namespace

TEST(UpdateCore, VersionTextTakesTheWordsHighFirst) {
    EXPECT_EQ(app::VersionText(0x00010000, 0x0000000A), "1.0.0.10");
    EXPECT_EQ(app::VersionText(0xFFFF0002, 0x00030004), "65535.2.3.4");
    EXPECT_EQ(app::VersionText(0, 0), "0.0.0.0");
    EXPECT_EQ(app::AboutVersionLine("1.0.0.10"), "Version 1.0.0.10");
    EXPECT_EQ(app::AboutVersionLine(""), "Version 1.0.0.x");
}

TEST(UpdateCore, OnlyTheExactWholeBodyIsTheLatestVersion) {
    EXPECT_EQ(app::DecideUpdate("1.0.0.10", BodyOf("1.0.0.10")), UpdateVerdict::Latest);
    // Nothing is trimmed and the comparison is equality, not order.
    for (const char* other :
         {"1.0.0.10\n", "1.0.0.10\r\n", " 1.0.0.10", "1.0.0.1", "1.0.0.9", "1.0.0.100", ""})
        EXPECT_EQ(app::DecideUpdate("1.0.0.10", BodyOf(other)), UpdateVerdict::Available) << other;
    EXPECT_EQ(app::DecideUpdate("1.0.0.10", BodyOf(std::string("1.0.0.10\0", 9))), UpdateVerdict::Available);
    // Without a version resource every answer offers the update, an empty one too.
    EXPECT_EQ(app::DecideUpdate("", BodyOf("")), UpdateVerdict::Available);
}

TEST(UpdateCore, BodyKeepsAtMostTheLimitAndKnowsWhenItWasCut) {
    const std::size_t limit = UpdateBody::kLimit;
    UpdateBody exact;
    const std::string full(limit, 'x');
    EXPECT_EQ(exact.Wanted(), limit + 1);
    EXPECT_EQ(exact.Feed(full.data(), 100), 100u);
    EXPECT_EQ(exact.Wanted(), limit + 1 - 100);
    EXPECT_EQ(exact.Feed(full.data(), limit - 100), limit - 100);
    EXPECT_FALSE(exact.Full());
    EXPECT_EQ(exact.Wanted(), 1u);  // one more byte tells exactly-the-limit from longer

    UpdateBody longer = exact;
    EXPECT_EQ(longer.Feed("y", 1), 0u);
    EXPECT_TRUE(longer.Full());
    EXPECT_TRUE(longer.Cut());
    EXPECT_EQ(longer.Text(), full);
    EXPECT_EQ(longer.Feed("z", 1), 0u);

    // A cut body differs even when its kept part would match.
    UpdateBody big;
    const std::string huge(3 * limit, '7');
    EXPECT_EQ(big.Feed(huge.data(), huge.size()), limit);
    EXPECT_TRUE(big.Cut());
    EXPECT_EQ(app::DecideUpdate(std::string(limit, '7'), big), UpdateVerdict::Available);
    EXPECT_EQ(app::DecideUpdate(full, exact), UpdateVerdict::Latest);
}

TEST(UpdateCore, MessageTextsBreakLinesWithLineFeedThenCarriageReturn) {
    EXPECT_EQ(app::UpdateAvailableText("1.0.0.10", "1.0.0.11"),
              "An update is available.  Your version is 1.0.0.10\n\rThe latest version is 1.0.0.11\n\r\n\r"
              "Would you like to download the latest version?");
    EXPECT_EQ(app::UpdateAvailableText("", std::string("1\0002", 3)),
              "An update is available.  Your version is \n\rThe latest version is 1?2\n\r\n\r"
              "Would you like to download the latest version?");
    EXPECT_EQ(app::UnableToConnectText("The operation timed out"),
              "Unable to connect to the Corvane Software\n\rWebsite.  Please check that you have an\n\r"
              "active Internet connection.\n\r\n\rError: The operation timed out");
    EXPECT_EQ(app::MakerUrl(app::kUpdateFilePath), "http://www.corvane-soft.com/update/corvanestatwell2.txt");
    EXPECT_EQ(app::MakerUrl(app::kDownloadPagePath), "http://www.corvane-soft.com/download.shtml");
}

TEST(UpdateCore, ErrorTexts) {
    EXPECT_EQ(app::InternetErrorText(app::kTimeoutError), "The operation timed out");
    EXPECT_EQ(app::InternetErrorText(12029), "A connection with the server could not be established");
    EXPECT_EQ(app::InternetErrorText(4242), "Internet error 4242");
    EXPECT_EQ(app::FailureCode(12030, 100, 15000), 12030u);
    EXPECT_EQ(app::FailureCode(12030, 15000, 15000), app::kTimeoutError);
    EXPECT_EQ(app::FailureCode(12029, 14900, 15000), app::kTimeoutError);
    EXPECT_EQ(app::HttpStatusText("HTTP/1.0", 404, "Not Found"), "HTTP/1.0 404 Not Found");
    EXPECT_EQ(app::HttpStatusText("", 503, ""), "HTTP/1.1 503");
}
