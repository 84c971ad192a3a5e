// The error list: the 51-record rule, the text cut, the abort sequence, the
// list commands and the illegal-option report.
#include "dderr.h"
#include "ddzPackedText.h"
#include "pelk_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ErrorList : public ::testing::Test {
protected:
    void SetUp() override {
        dderrClearList();
        dderrSetRecording(true);
        pelk::clearRecordedCalls();
        pelk::failAllocationAt(0);
    }
    void TearDown() override {
        dderrClearList();
        dderrSetRecording(false);
    }

    static std::vector<const dderrRecord*> records() {
        std::vector<const dderrRecord*> list;
        for (const dderrRecord* r = dderrFirst(); r; r = r->next) list.push_back(r);
        return list;
    }
};

TEST_F(ErrorList, NothingIsRecordedWhileRecordingIsOff) {
    dderrSetRecording(false);
    dderrorSet("f", 1, 2, nullptr, 1, "m");
    EXPECT_EQ(dderrCount(), 0);
    EXPECT_EQ(dderrFirst(), nullptr);
}

TEST_F(ErrorList, RecordKeepsEveryField) {
    int object = 0;
    dderrorSet("ddzSegmentManager::OpenSegment", 2, -2, &object, 42, "Invalid segment manager pointer");
    ASSERT_EQ(records().size(), 1u);
    const dderrRecord& r = *records()[0];
    EXPECT_EQ(r.kind, 2);
    EXPECT_EQ(r.severity, -2);
    EXPECT_EQ(r.object, &object);
    EXPECT_EQ(r.line, 42);
    EXPECT_STREQ(r.function, "ddzSegmentManager::OpenSegment");
    EXPECT_STREQ(r.message, "Invalid segment manager pointer");
    EXPECT_EQ(r.next, nullptr);
}

struct FillCase {
    int lastSeverity;
    bool lastKept;
};

void PrintTo(const FillCase& c, std::ostream* os) { *os << "severity " << c.lastSeverity; }

class FiftyFirstRecord : public ErrorList, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FiftyFirstRecord, IsKeptOnlyForOutOfMemory) {
    for (int i = 0; i < 50; ++i) dderrorSet("f", 1, 2, nullptr, i, "ordinary");
    EXPECT_EQ(dderrCount(), 50);
    dderrorSet("f", 1, GetParam().lastSeverity, nullptr, 50, "last");
    EXPECT_EQ(dderrCount(), GetParam().lastKept ? 51 : 50);
    // The last place then goes to the first out-of-memory report; after it nothing is kept.
    dderrorSet("f", 1, 1, nullptr, 51, "after");
    dderrorSet("f", 1, -4, nullptr, 52, "dropped");
    const auto list = records();
    ASSERT_EQ(list.size(), 51u);
    EXPECT_STREQ(list.back()->message, GetParam().lastKept ? "last" : "after");
}

INSTANTIATE_TEST_SUITE_P(Severities, FiftyFirstRecord,
                         ::testing::Values(FillCase{2, false}, FillCase{-1, false}, FillCase{4, false},
                                           FillCase{1, true}, FillCase{-4, true}),
                         [](const ::testing::TestParamInfo<FillCase>& info) {
                             const int s = info.param.lastSeverity;
                             return (s < 0 ? "minus" : "") + std::to_string(s < 0 ? -s : s);
                         });

TEST_F(ErrorList, TextsAreCutToEightyCharacters) {
    const std::string longText(120, 'x');
    dderrorSet(longText.c_str(), 1, 2, nullptr, 1, (longText + "y").c_str());
    const dderrRecord& r = *records()[0];
    EXPECT_EQ(std::string(r.function), std::string(80, 'x'));
    EXPECT_EQ(std::string(r.message), std::string(80, 'x'));
}

TEST_F(ErrorList, NullTextsBecomeEmpty) {
    dderrorSet(nullptr, 1, 2, nullptr, 1, nullptr);
    EXPECT_STREQ(records()[0]->function, "");
    EXPECT_STREQ(records()[0]->message, "");
}

TEST_F(ErrorList, FailedAllocationLosesTheRecordButCountsIt) {
    pelk::failAllocationAt(1);
    dderrorSet("f", 1, 2, nullptr, 1, "lost");
    dderrorSet("f", 1, 2, nullptr, 2, "kept");
    EXPECT_EQ(dderrCount(), 2);
    ASSERT_EQ(records().size(), 1u);
    EXPECT_STREQ(records()[0]->message, "kept");
}

TEST_F(ErrorList, ClearFreesEveryRecordAndEmptyClearIsHarmless) {
    const long before = pelk::liveAllocations();
    for (int i = 0; i < 5; ++i) dderrorSet("f", 1, 2, nullptr, i, "m");
    EXPECT_EQ(pelk::liveAllocations(), before + 5);
    dderrClearList();
    EXPECT_EQ(pelk::liveAllocations(), before);
    EXPECT_EQ(dderrCount(), 0);
    EXPECT_EQ(dderrFirst(), nullptr);
    dderrClearList();
    EXPECT_EQ(dderrCount(), 0);
    dderrorSet("f", 1, 2, nullptr, 1, "again");  // head and tail were reset
    EXPECT_EQ(records().size(), 1u);
}

TEST_F(ErrorList, QueryReturnsTheFirstRecordAddressInTwoWords) {
    int32_t ints[2] = {-7, -7};
    dderrReturnList(ints);
    EXPECT_EQ(ints[0], 0);
    EXPECT_EQ(ints[1], 0);
    dderrorSet("f", 1, 2, nullptr, 1, "m");
    dderrReturnList(ints);
    const uint64_t address = static_cast<uint64_t>(static_cast<uint32_t>(ints[0])) |
                             (static_cast<uint64_t>(static_cast<uint32_t>(ints[1])) << 32);
    EXPECT_EQ(reinterpret_cast<const dderrRecord*>(address), dderrFirst());
}

TEST_F(ErrorList, CheckLevelComesFromTheFirstWord) {
    const int32_t on[1] = {2};
    dderrSetCheckLevel(on);
    EXPECT_EQ(dderrCheckLevel(), 2);
    const int32_t off[1] = {0};
    dderrSetCheckLevel(off);
    EXPECT_EQ(dderrCheckLevel(), 0);
}

TEST_F(ErrorList, AbortSequenceReportsTellsTheHostThenReportsTheAbort) {
    dderrOutOfMemory("ddzSomething", 77, "Error creating Polyline object");
    const auto list = records();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0]->message, "Error creating Polyline object");
    EXPECT_STREQ(list[1]->message, "Out of Application Memory - Abort the Display");
    for (const dderrRecord* r : list) {
        EXPECT_STREQ(r->function, "ddzSomething");
        EXPECT_EQ(r->severity, 1);
        EXPECT_EQ(r->line, 77);
    }
    EXPECT_EQ(pelk::callCount("x11abt"), 1);
}

TEST_F(ErrorList, IllegalOptionReportOfClassFour) {
    constexpr auto name = ddzPack("DCZC4");
    constexpr auto message = ddzPack("DCZC4-ILLEGAL OPTION");
    const int32_t kind = 1, severity = 4, option = 99, line = -1;
    dderrIllegalOption(&name.count, name.words, &kind, &severity, &option, &line, &message.count, message.words);
    ASSERT_EQ(records().size(), 1u);
    const dderrRecord& r = *records()[0];
    EXPECT_STREQ(r.function, "DCZC4");
    EXPECT_STREQ(r.message, "DCZC4-ILLEGAL OPTION");
    EXPECT_EQ(r.severity, 4);
    EXPECT_EQ(r.kind, 1);
    EXPECT_EQ(r.line, -1);
    EXPECT_EQ(reinterpret_cast<intptr_t>(r.object), 99);
}

TEST_F(ErrorList, IllegalOptionTextsLongerThanEightyAreCut) {
    const int32_t n = 200, kind = 1, severity = 4, option = 1, line = -1;
    std::vector<int32_t> words(100, ddzPackPair('a', 'b'));
    dderrIllegalOption(&n, words.data(), &kind, &severity, &option, &line, &n, words.data());
    EXPECT_EQ(std::string(records()[0]->function).size(), 80u);
}

}  // namespace
