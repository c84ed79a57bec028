// IP helper errors, the table reader's calls and the octet rule.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <vector>

#include "monitor/metrics/errors.h"
#include "monitor/metrics/ip_tables.h"

using namespace metrics;

namespace {
struct Row {
    uint32_t dwIndex;
    uint32_t dwInOctets;
    uint32_t dwOutOctets;
};

class FakeApi : public IpTableApi {
public:
    struct Step {
        uint32_t code;
        uint32_t size;  // written back
    };
    std::deque<Step> steps;
    std::vector<const void*> buffers;
    uint32_t lastError = 0;

    uint32_t Call(void* buffer, uint32_t* size, bool sorted) override {
        EXPECT_TRUE(sorted);
        buffers.push_back(buffer);
        const Step s = steps.front();
        steps.pop_front();
        if (buffer) {
            // The block is exactly the size asked for and zero-filled.
            const uint8_t* b = static_cast<const uint8_t*>(buffer);
            for (uint32_t i = 0; i < *size; ++i) EXPECT_EQ(0, b[i]);
            if (s.code == 0) static_cast<uint8_t*>(buffer)[*size - 1] = 0x5A;  // touches the last byte
        }
        *size = s.size;
        return s.code;
    }
    uint32_t LastError() override { return lastError; }
    std::string SystemMessage(uint32_t code) override { return code == 5 ? "Access is denied." : "?"; }
};

template <class F>
std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const EIpHlpError& e) {
        return std::string("EIpHlpError: ") + e.what();
    } catch (const EWin32Error& e) {
        return std::string("EWin32Error: ") + e.what();
    }
    return "(no error)";
}
}  // namespace

TEST(IpHelperError, MessagesByCode) {
    EXPECT_EQ("EIpHlpError: Function GetIfTable is not supported by the operating system.",
              MessageOf([] { RaiseIpHelperError("GetIfTable", 50, 0, ""); }));
    EXPECT_EQ("EIpHlpError: Function GetIpAddrTable. Invalid parameter",
              MessageOf([] { RaiseIpHelperError("GetIpAddrTable", 87, 0, ""); }));
    EXPECT_EQ("EIpHlpError: Function GetIfTable. No adapter information exists for the local computer.",
              MessageOf([] { RaiseIpHelperError("GetIfTable", 232, 0, ""); }));
    EXPECT_EQ("EWin32Error: Win32 Error.  Code: 5.\nAccess is denied.",
              MessageOf([] { RaiseIpHelperError("GetIfTable", 31, 5, "Access is denied."); }));
    EXPECT_EQ("EWin32Error: A Win32 API function failed",
              MessageOf([] { RaiseIpHelperError("GetIfTable", 1, 0, "ignored"); }));
    try {
        RaiseIpHelperError("GetIfTable", 31, 1234, "x");
    } catch (const EWin32Error& e) {
        EXPECT_EQ(1234u, e.code());
    }
}

TEST(IpTableReader, SizeThenFill) {
    FakeApi api;
    api.steps = {{122, 100}, {0, 100}};
    uint32_t size = 7;
    IpTableBlock b = ReadIpTable("GetIfTable", api, true, size);
    ASSERT_TRUE(b);
    EXPECT_EQ(100u, size);
    ASSERT_EQ(2u, api.buffers.size());
    EXPECT_EQ(nullptr, api.buffers[0]);
    EXPECT_EQ(b.get(), api.buffers[1]);
    EXPECT_EQ(0x5A, static_cast<uint8_t*>(b.get())[99]);
}

TEST(IpTableReader, FirstCallSucceedsWithoutTable) {
    FakeApi api;
    api.steps = {{0, 0}};
    uint32_t size = 7;
    EXPECT_FALSE(ReadIpTable("GetIfTable", api, true, size));
    EXPECT_EQ(0u, size);
}

TEST(IpTableReader, FailuresRaiseAndFreeTheBlock) {
    // The leak checker of the host build fails the run if a block survives.
    FakeApi a;
    a.steps = {{122, 64}, {232, 64}};
    uint32_t size = 0;
    EXPECT_EQ("EIpHlpError: Function GetIpAddrTable. No adapter information exists for the local computer.",
              MessageOf([&] { ReadIpTable("GetIpAddrTable", a, true, size); }));

    FakeApi b;  // the table grew between the calls
    b.steps = {{122, 64}, {122, 128}};
    EXPECT_EQ("EWin32Error: A Win32 API function failed",
              MessageOf([&] { ReadIpTable("GetIfTable", b, true, size); }));

    FakeApi c;  // the first call fails outright
    c.steps = {{87, 0}};
    EXPECT_EQ("EIpHlpError: Function GetIfTable. Invalid parameter",
              MessageOf([&] { ReadIpTable("GetIfTable", c, true, size); }));
    EXPECT_EQ(1u, c.buffers.size());

    FakeApi d;
    d.steps = {{122, 64}, {5, 64}};
    d.lastError = 5;
    EXPECT_EQ("EWin32Error: Win32 Error.  Code: 5.\nAccess is denied.",
              MessageOf([&] { ReadIpTable("GetIfTable", d, true, size); }));
}

TEST(OctetRule, OneInterfaceOrAll) {
    const Row rows[] = {{1, 100, 10}, {2, 2000, 20}, {3, 30000, 30}};
    Octets o;
    SelectOctets(1, rows, 3, o);
    EXPECT_EQ(2000u, o.down);
    EXPECT_EQ(20u, o.up);
    SelectOctets(0, rows, 3, o);
    EXPECT_EQ(100u, o.down);
    SelectOctets(2, rows, 3, o);
    EXPECT_EQ(30u, o.up);
    // The "All Interfaces" entry sits at the row count; anything past it means all too.
    for (int32_t choice : {3, 4, 99, -1, INT32_MIN}) {
        Octets all;
        SelectOctets(choice, rows, 3, all);
        EXPECT_EQ(32100u, all.down) << choice;
        EXPECT_EQ(60u, all.up) << choice;
    }
}

TEST(OctetRule, SumsWrapAt32Bits) {
    const Row rows[] = {{1, 0xFFFFFFF0u, 0x80000000u}, {2, 0x20u, 0x80000001u}};
    Octets o;
    SelectOctets(-1, rows, 2, o);
    EXPECT_EQ(0x10u, o.down);
    EXPECT_EQ(1u, o.up);
}

TEST(OctetRule, EmptyTableLeavesCountersAlone) {
    Octets o;
    o.down = 5;
    o.up = 6;
    SelectOctets(0, static_cast<const Row*>(nullptr), 0, o);
    SelectOctets(-1, static_cast<const Row*>(nullptr), 0, o);
    EXPECT_EQ(5u, o.down);
    EXPECT_EQ(6u, o.up);
}

namespace {
// An interface table block as the IP helper lays it out, with a header claiming `claimed`.
std::vector<uint8_t> IfBlock(uint32_t claimed, const std::vector<Row>& rows) {
    std::vector<uint8_t> b(iftable::kHeaderSize + rows.size() * iftable::kRowSize, 0xEE);
    std::memcpy(b.data(), &claimed, 4);
    for (size_t i = 0; i < rows.size(); ++i) {
        uint8_t* r = b.data() + iftable::kHeaderSize + i * iftable::kRowSize;
        std::memcpy(r + iftable::kIndexOffset, &rows[i].dwIndex, 4);
        std::memcpy(r + iftable::kInOctetsOffset, &rows[i].dwInOctets, 4);
        std::memcpy(r + iftable::kOutOctetsOffset, &rows[i].dwOutOctets, 4);
    }
    return b;
}
}  // namespace

TEST(InterfaceBlock, RowsAreReadOnlyWhereTheBlockHoldsThem) {
    std::vector<uint8_t> b = IfBlock(2, {{1, 10, 20}, {7, 30, 40}});
    std::vector<InterfaceRow> seen;
    auto keep = [&](const InterfaceRow& r) { seen.push_back(r); };
    EXPECT_EQ(2u, ForEachInterfaceRow(b.data(), b.size(), keep));
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(7u, seen[1].index);
    EXPECT_EQ(30u, seen[1].inOctets);
    EXPECT_EQ(40u, seen[1].outOctets);

    // A count far beyond the block (a damaged or hostile answer): only the rows inside it.
    b = IfBlock(0xFFFFFFFFu, {{1, 10, 20}, {7, 30, 40}});
    seen.clear();
    EXPECT_EQ(2u, ForEachInterfaceRow(b.data(), b.size(), keep));
    b.resize(b.size() - 1);  // the last row cut by one byte
    EXPECT_EQ(1u, ForEachInterfaceRow(b.data(), b.size(), keep));
    EXPECT_EQ(0u, ForEachInterfaceRow(b.data(), 3, keep)) << "no room for the header";
    EXPECT_EQ(0u, ForEachInterfaceRow(nullptr, 100, keep));
    EXPECT_EQ(0u, InterfaceRowsInBlock(5, 0));
    EXPECT_EQ(3u, InterfaceRowsInBlock(3, 4 + 5 * iftable::kRowSize));
}
