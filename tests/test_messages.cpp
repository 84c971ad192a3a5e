// The message queue: posted messages, X input translated into messages and
// key state, paint from exposures, timers and registered messages.
#include "support/TestWindows.h"
#include "winsys_x11.h"

#include <X11/keysym.h>

#include <vector>

namespace {

std::vector<MSG> received;

LRESULT keepingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG m{};
    m.hwnd = hwnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    received.push_back(m);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class Messages : public ::testing::Test {
protected:
    void SetUp() override {
        static bool registered = [] {
            WNDCLASSA wc{};
            wc.lpfnWndProc = keepingProc;
            wc.lpszClassName = "Keeping Window";
            return RegisterClassA(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        hwnd = CreateWindowExA(0, "Keeping Window", "m", WS_OVERLAPPEDWINDOW, 50, 60, 120, 80, nullptr, nullptr,
                               nullptr, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        HDC dc = GetDC(hwnd);
        testsupport::pumpUntil([dc] {
            RECT r;
            return GetClipBox(dc, &r) == SIMPLEREGION;
        });
        ReleaseDC(hwnd, dc);
        // Everything the mapping caused (its exposure included) is in by now.
        XSync(winsysDisplay(), False);
        testsupport::pumpMessages();
        ValidateRect(hwnd, nullptr);
        received.clear();
    }
    void TearDown() override { DestroyWindow(hwnd); }

    const MSG* find(UINT msg) const {
        for (const MSG& m : received) {
            if (m.message == msg && m.hwnd == hwnd) return &m;
        }
        return nullptr;
    }

    void sendKey(KeySym sym, bool press) {
        Display* d = winsysDisplay();
        XEvent e{};
        e.xkey.type = press ? KeyPress : KeyRelease;
        e.xkey.display = d;
        e.xkey.window = winsysXWindow(hwnd);
        e.xkey.root = DefaultRootWindow(d);
        e.xkey.keycode = XKeysymToKeycode(d, sym);
        e.xkey.same_screen = True;
        XSendEvent(d, e.xkey.window, True, press ? KeyPressMask : KeyReleaseMask, &e);
        XFlush(d);
    }

    void sendButton(unsigned button, int x, int y) {
        Display* d = winsysDisplay();
        XEvent e{};
        e.xbutton.type = ButtonPress;
        e.xbutton.display = d;
        e.xbutton.window = winsysXWindow(hwnd);
        e.xbutton.root = DefaultRootWindow(d);
        e.xbutton.button = button;
        e.xbutton.x = x;
        e.xbutton.y = y;
        e.xbutton.x_root = 50 + x;
        e.xbutton.y_root = 60 + y;
        e.xbutton.same_screen = True;
        XSendEvent(d, e.xbutton.window, True, ButtonPressMask, &e);
        XFlush(d);
    }

    HWND hwnd = nullptr;
};

TEST_F(Messages, PostedMessagesArriveInOrderAndQuitEndsGetMessage) {
    PostMessageA(hwnd, WM_USER + 1, 1, 2);
    PostMessageA(hwnd, WM_USER + 2, 3, 4);
    MSG msg;
    ASSERT_TRUE(GetMessageA(&msg, hwnd, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(msg.lParam, 2);
    ASSERT_TRUE(GetMessageA(&msg, hwnd, WM_USER + 2, WM_USER + 2));
    EXPECT_EQ(msg.wParam, 3u);
    PostQuitMessage(7);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST_F(Messages, InvalidAreaProducesPaintUntilValidated) {
    RECT r{10, 10, 20, 30};
    InvalidateRect(hwnd, &r, FALSE);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
    RECT update{};
    EXPECT_TRUE(GetUpdateRect(hwnd, &update, FALSE));
    EXPECT_TRUE(EqualRect(&update, &r));
    EXPECT_TRUE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));  // still invalid
    ValidateRect(hwnd, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, hwnd, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(Messages, XExposureBecomesPaintWithTheExposedRectangle) {
    ValidateRect(hwnd, nullptr);
    XClearArea(winsysDisplay(), winsysXWindow(hwnd), 5, 6, 30, 20, True);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return find(WM_PAINT) != nullptr; }));
    // The default procedure validated it; a fresh exposure is read without dispatching.
    XClearArea(winsysDisplay(), winsysXWindow(hwnd), 5, 6, 30, 20, True);
    XSync(winsysDisplay(), False);
    RECT update{};
    const DWORD start = GetTickCount();
    while (!GetUpdateRect(hwnd, &update, FALSE) && GetTickCount() - start < 2000) {
    }
    RECT expected{5, 6, 35, 26};
    EXPECT_TRUE(EqualRect(&update, &expected));
}

TEST_F(Messages, KeysBecomeKeyMessagesCharactersAndKeyState) {
    sendKey(XK_F3, true);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return find(WM_KEYDOWN) != nullptr; }));
    EXPECT_EQ(find(WM_KEYDOWN)->wParam, static_cast<WPARAM>(VK_F3));
    EXPECT_NE(GetAsyncKeyState(VK_F3), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_F1), 0);
    sendKey(XK_F3, false);
    ASSERT_TRUE(testsupport::pumpUntil([] { return GetAsyncKeyState(VK_F3) == 0; }));
    received.clear();
    sendKey(XK_a, true);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return find(WM_CHAR) != nullptr; }));
    EXPECT_EQ(find(WM_KEYDOWN)->wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(find(WM_CHAR)->wParam, static_cast<WPARAM>('a'));
    sendKey(XK_a, false);
}

TEST_F(Messages, ButtonsAndWheelBecomeMouseMessages) {
    sendButton(Button1, 12, 34);
    sendButton(Button4, 12, 34);
    ASSERT_TRUE(testsupport::pumpUntil([this] { return find(WM_MOUSEWHEEL) != nullptr; }));
    const MSG* down = find(WM_LBUTTONDOWN);
    ASSERT_NE(down, nullptr);
    EXPECT_EQ(GET_X_LPARAM(down->lParam), 12);
    EXPECT_EQ(GET_Y_LPARAM(down->lParam), 34);
    EXPECT_TRUE(down->wParam & MK_LBUTTON);
    EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(find(WM_MOUSEWHEEL)->wParam), WHEEL_DELTA);
}

TEST_F(Messages, WindowManagerCloseBecomesWmClose) {
    Display* d = winsysDisplay();
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = winsysXWindow(hwnd);
    e.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    XSendEvent(d, e.xclient.window, False, NoEventMask, &e);
    XFlush(d);
    const HWND closing = hwnd;
    ASSERT_TRUE(testsupport::pumpUntil([closing] { return !IsWindow(closing); }));  // the default destroys it
    hwnd = testsupport::createTopLevel(0, 0, 5, 5);
}

TEST_F(Messages, TimersDeliverWmTimerAndCallTheirProcedure) {
    static int procCalls = 0;
    SetTimer(hwnd, 5, 10, nullptr);
    const UINT_PTR id = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++procCalls; });
    ASSERT_TRUE(testsupport::pumpUntil([this] { return find(WM_TIMER) != nullptr && procCalls > 0; }));
    EXPECT_EQ(find(WM_TIMER)->wParam, 5u);
    EXPECT_TRUE(KillTimer(hwnd, 5));
    EXPECT_TRUE(KillTimer(nullptr, id));
    EXPECT_FALSE(KillTimer(hwnd, 5));
}

TEST_F(Messages, RegisteredMessagesAreStablePerName) {
    const UINT a = RegisterWindowMessageA("MotionEvent");
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(RegisterWindowMessageA("motionevent"), a);
    EXPECT_NE(RegisterWindowMessageA("ButtonPressEvent"), a);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST_F(Messages, ScreenAndClientCoordinatesConvert) {
    POINT p{55, 70};
    ASSERT_TRUE(ScreenToClient(hwnd, &p));
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 10);
    ClientToScreen(hwnd, &p);
    EXPECT_EQ(p.x, 55);
    EXPECT_EQ(p.y, 70);
}

}  // namespace
