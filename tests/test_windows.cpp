// Window classes and windows: real X windows, creation and destruction
// messages, geometry, subclassing, handles, clip boxes, modules and errors.
#include "support/TestWindows.h"
#include "winsys_x11.h"

#include <string>
#include <vector>

namespace {

std::vector<std::pair<HWND, UINT>> seen;

LRESULT recordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    seen.emplace_back(hwnd, msg);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* recordingClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = recordingProc;
        wc.cbWndExtra = 2;
        wc.lpszClassName = "Recording Window";
        RegisterClassA(&wc);
        return "Recording Window";
    }();
    return name;
}

int count(HWND hwnd, UINT msg) {
    int n = 0;
    for (const auto& [h, m] : seen) n += h == hwnd && m == msg;
    return n;
}

TEST(WindowClasses, RegistrationIsOncePerNameAndChecksItsArguments) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = recordingProc;
    wc.lpszClassName = "Twice Registered";
    EXPECT_NE(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    wc.lpszClassName = nullptr;
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(CreateWindowExA(0, "No Such Class", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_DOES_NOT_EXIST));
}

TEST(Windows, CreationSendsCreateAndChildrenAreXSubwindows) {
    seen.clear();
    HWND parent = CreateWindowExA(0, recordingClass(), "parent", WS_OVERLAPPEDWINDOW, 10, 20, 200, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    HWND child = CreateWindowExA(0, recordingClass(), nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 200, 80, parent,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(count(parent, WM_CREATE), 1);
    EXPECT_EQ(count(child, WM_CREATE), 1);
    EXPECT_EQ(GetParent(child), parent);
    ::Window root, xparent, *children = nullptr;
    unsigned n = 0;
    XQueryTree(winsysDisplay(), winsysXWindow(child), &root, &xparent, &children, &n);
    if (children) XFree(children);
    EXPECT_EQ(xparent, winsysXWindow(parent));
    RECT client{};
    ASSERT_TRUE(GetClientRect(child, &client));
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 80);
    EXPECT_FALSE(IsWindowVisible(child));  // its parent is not shown yet
    ShowWindow(parent, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(child));
    DestroyWindow(parent);
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(count(child, WM_DESTROY), 1);
    EXPECT_EQ(count(parent, WM_DESTROY), 1);
}

TEST(Windows, CreationWithAnUnknownParentFails) {
    HWND bogus = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x01fffff0));
    EXPECT_EQ(CreateWindowExA(0, testsupport::plainClass(), "", WS_CHILD, 0, 0, 5, 5, bogus, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST(Windows, HandlesSurviveARoundTripThroughThirtyTwoBits) {
    HWND hwnd = testsupport::createTopLevel(0, 0, 10, 10);
    HDC dc = GetDC(hwnd);
    const uint32_t word = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd));
    const uint32_t dcWord = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dc));
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<uintptr_t>(word)), hwnd);
    EXPECT_TRUE(IsWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(word))));
    EXPECT_EQ(WindowFromDC(reinterpret_cast<HDC>(static_cast<uintptr_t>(dcWord))), hwnd);
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
    EXPECT_FALSE(IsWindow(hwnd));  // a stale handle never aliases a later window
    HWND next = testsupport::createTopLevel(0, 0, 10, 10);
    EXPECT_NE(next, hwnd);
    DestroyWindow(next);
}

TEST(Windows, SetWindowPosSendsSizeAndMoveAndMovesTheXWindow) {
    seen.clear();
    HWND hwnd = CreateWindowExA(0, recordingClass(), "pos", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                nullptr, nullptr);
    ShowWindow(hwnd, SW_SHOW);
    seen.clear();
    SetWindowPos(hwnd, nullptr, 30, 40, 150, 90, SWP_NOZORDER);
    EXPECT_EQ(count(hwnd, WM_SIZE), 1);
    EXPECT_EQ(count(hwnd, WM_MOVE), 1);
    seen.clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 150, 90, SWP_NOZORDER | SWP_NOMOVE);
    EXPECT_EQ(count(hwnd, WM_SIZE), 0);  // nothing changed
    EXPECT_EQ(count(hwnd, WM_MOVE), 0);
    XWindowAttributes attributes{};
    XGetWindowAttributes(winsysDisplay(), winsysXWindow(hwnd), &attributes);
    EXPECT_EQ(attributes.width, 150);
    EXPECT_EQ(attributes.height, 90);
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.right - r.left, 150);
    EXPECT_EQ(r.bottom - r.top, 90);
    testsupport::pumpMessages();
    seen.clear();
    testsupport::pumpUntil([] { return false; }, 100);  // the server's configure report adds nothing
    EXPECT_EQ(count(hwnd, WM_SIZE), 0);
    DestroyWindow(hwnd);
}

TEST(Windows, SubclassingReplacesTheProcedureAndExtraBytesHoldWords) {
    HWND hwnd = CreateWindowExA(0, recordingClass(), "sub", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    static int subclassCalls = 0;
    WNDPROC subclass = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        ++subclassCalls;
        return DefWindowProcA(h, m, w, l);
    };
    const LONG_PTR previous = SetWindowLongA(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(subclass));
    EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(&recordingProc));
    SendMessageA(hwnd, WM_USER, 0, 0);
    EXPECT_EQ(subclassCalls, 1);
    EXPECT_EQ(GetWindowLongA(hwnd, 0), 0);  // two extra bytes hold no 32-bit word
    DestroyWindow(hwnd);
}

TEST(Windows, ClassCursorChangesEveryWindowOfTheClass) {
    HWND hwnd = testsupport::createTopLevel(0, 0, 10, 10);
    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    ASSERT_NE(cross, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_CROSS), cross);
    const LONG_PTR previous = SetClassLongA(hwnd, GCL_HCURSOR, reinterpret_cast<LONG_PTR>(cross));
    EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(LoadCursorA(nullptr, IDC_ARROW)));
    SetClassLongA(hwnd, GCL_HCURSOR, previous);
    DestroyWindow(hwnd);
}

TEST(Windows, FindWindowMatchesClassAndTitle) {
    HWND hwnd = CreateWindowExA(0, recordingClass(), "Findable", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(FindWindowA("recording window", nullptr), hwnd);
    EXPECT_EQ(FindWindowA(nullptr, "Findable"), hwnd);
    EXPECT_EQ(FindWindowA(recordingClass(), "Other"), nullptr);
    DestroyWindow(hwnd);
}

TEST(ClipBox, CoveredWindowReportsComplexRegion) {
    HWND below = testsupport::createTopLevel(100, 100, 200, 200);
    ShowWindow(below, SW_SHOW);
    HDC dc = GetDC(below);
    RECT box{};
    ASSERT_TRUE(testsupport::pumpUntil([&] { return GetClipBox(dc, &box) == SIMPLEREGION; }));
    RECT expected{0, 0, 200, 200};
    EXPECT_TRUE(EqualRect(&box, &expected));
    HWND above = testsupport::createTopLevel(150, 150, 100, 100);
    ShowWindow(above, SW_SHOW);
    EXPECT_TRUE(testsupport::pumpUntil([&] { return GetClipBox(dc, &box) == COMPLEXREGION; }));
    DestroyWindow(above);
    EXPECT_TRUE(testsupport::pumpUntil([&] { return GetClipBox(dc, &box) == SIMPLEREGION; }));
    ShowWindow(below, SW_HIDE);
    EXPECT_EQ(GetClipBox(dc, &box), NULLREGION);
    ReleaseDC(below, dc);
    DestroyWindow(below);
}

TEST(Screen, MetricsAreThoseOfTheVirtualScreen) {
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
}

TEST(Modules, MissingLibraryIsReportedAndKnownTextsFormat) {
    EXPECT_EQ(LoadLibraryA("orbanogl.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, ERROR_MOD_NOT_FOUND, LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&text), 0,
                                   nullptr);
    ASSERT_GT(n, 0u);
    EXPECT_STREQ(text, "The specified module could not be found.\r\n");
    LocalFree(text);
    HMODULE gl = LoadLibraryA("libGL.so.1");
    ASSERT_NE(gl, nullptr);
    EXPECT_NE(GetProcAddress(gl, "glClear"), nullptr);
    EXPECT_EQ(GetProcAddress(gl, "NoSuchFunction"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(gl));
    EXPECT_FALSE(FreeLibrary(gl));
}

TEST(Modules, MessageBoxWritesCaptionAndTextToStandardOutput) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(MessageBoxA(nullptr, "the text", "the caption", MB_ICONWARNING), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "the caption\nthe text\n");
}

}  // namespace
