// Every (class, code) pair: which are routed and which are illegal options.
#include "dderr.h"
#include "ddzDispatch.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The codes each class defines; classes 5, 6 and 16 take any code without a report.
bool defined(int c, int code) {
    switch (c) {
        case 1: return code >= 1 && code <= 22;
        case 2: return code >= 1 && code <= 6;
        case 3: return code >= 1 && code <= 4;
        case 4: return code >= 1 && code <= 28 && !std::set<int>{15, 17, 24, 26}.count(code);
        case 7: return code == 1 || code == 2;
        case 8: return code >= 2 && code <= 9;
        case 9: return code >= 1 && code <= 8;
        case 10: return code >= 1 && code <= 10;
        case 11: return code >= 1 && code <= 6;
        case 12: return code >= 1 && code <= 9;
        case 13: return code >= 1 && code <= 6;
        case 14: return code >= 1 && code <= 12;
        default: return true;  // 5, 6, 15, 16 and classes outside 1..16
    }
}

std::string hexDigit(int c) { return std::string(1, "0123456789ABCDEF"[c]); }

TEST(Dispatch, EveryClassAndCodeIsRoutedOrReportedAsAnIllegalOption) {
    dderrSetRecording(true);
    for (int c = -1; c <= 17; ++c) {
        for (int code = -1; code <= 30; ++code) {
            const bool illegal = !defined(c, code);
            EXPECT_EQ(ddzRouteOf(c, code).known, !illegal) << c << "/" << code;
            if (!illegal) continue;
            dderrClearList();
            ddzCommand(&c, &code, nullptr, nullptr);  // reports only: no handler runs
            ASSERT_EQ(dderrCount(), 1) << c << "/" << code;
            const dderrRecord& r = *dderrFirst();
            EXPECT_EQ(std::string(r.function), "DCZC" + hexDigit(c));
            EXPECT_EQ(std::string(r.message), "DCZC" + hexDigit(c) + "-ILLEGAL OPTION");
            EXPECT_EQ(r.severity, 4);
            EXPECT_EQ(r.line, -1);
            EXPECT_EQ(reinterpret_cast<intptr_t>(r.object), code);
        }
    }
    dderrClearList();
    dderrSetRecording(false);
}

TEST(Dispatch, ClassesOutsideTheRangeAndClassFifteenDoNothing) {
    dderrSetRecording(true);
    dderrClearList();
    int32_t ints[4] = {7, 7, 7, 7};
    for (int c : {0, 17, -1, 15}) {
        for (int code : {1, 9, 99}) ddzCommand(&c, &code, ints, nullptr);
    }
    EXPECT_EQ(dderrCount(), 0);
    EXPECT_EQ(ints[0], 7);
    dderrSetRecording(false);
}

TEST(Dispatch, ErrorListCommandsReachTheList) {
    dderrSetRecording(true);
    dderrClearList();
    dderrorSet("f", 1, 2, nullptr, 1, "m");
    const int32_t deviceControl = 1, setLevel = 17, clear = 18, query = 19;
    int32_t ints[2] = {3, 0};
    ddzCommand(&deviceControl, &setLevel, ints, nullptr);
    EXPECT_EQ(dderrCheckLevel(), 3);
    ddzCommand(&deviceControl, &query, ints, nullptr);
    EXPECT_EQ(static_cast<uint32_t>(ints[0]), static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dderrFirst())));
    ddzCommand(&deviceControl, &clear, nullptr, nullptr);
    EXPECT_EQ(dderrCount(), 0);
    ddzCommand(&deviceControl, &query, ints, nullptr);
    EXPECT_EQ(ints[0], 0);
    EXPECT_EQ(ints[1], 0);
    int32_t zero[1] = {0};
    ddzCommand(&deviceControl, &setLevel, zero, nullptr);
    dderrSetRecording(false);
}

TEST(Dispatch, ClassOneCodeNineAnswersZeroOneOne) {
    const int32_t deviceControl = 1, code = 9;
    int32_t ints[3] = {-1, -1, -1};
    ddzCommand(&deviceControl, &code, ints, nullptr);
    EXPECT_EQ(ints[0], 0);
    EXPECT_EQ(ints[1], 1);
    EXPECT_EQ(ints[2], 1);
}

}  // namespace
