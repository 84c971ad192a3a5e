// The host's input event record: 128 bytes handed to entry slots 26-30 by the
// host's event processor. Fields are 32-bit words at fixed byte offsets; the
// meaning of a word depends on the event type, so the record is a word array
// read through the offsets below.
#pragma once

#include <cstdint>

struct x11InputEvent {
    int32_t words[32];
};
static_assert(sizeof(x11InputEvent) == 128, "the host event record is 128 bytes");

// Event types (byte offset 0) as the substitute host's event processor sets them.
enum x11InputEventType : int32_t {
    X11_EVENT_NONE = 0,
    X11_EVENT_RESIZE = 27,
    X11_EVENT_EXPOSE = 28,
    X11_EVENT_BUTTON = 29,
    X11_EVENT_STRING = 30,
};

// Byte offsets.
constexpr int X11_EVENT_TYPE = 0;
constexpr int X11_EVENT_WINDOW = 20;         // window handle (32-bit handle value)
constexpr int X11_EVENT_EXPOSE_X = 48;       // exposed rectangle: x, y, width, height
constexpr int X11_EVENT_EXPOSE_Y = 52;
constexpr int X11_EVENT_EXPOSE_WIDTH = 56;
constexpr int X11_EVENT_EXPOSE_HEIGHT = 60;
constexpr int X11_EVENT_RESIZE_X = 52;       // resized window: x, y, width, height
constexpr int X11_EVENT_RESIZE_Y = 56;
constexpr int X11_EVENT_RESIZE_WIDTH = 60;
constexpr int X11_EVENT_RESIZE_HEIGHT = 64;
constexpr int X11_EVENT_POINTER_X = 60;      // pointer position and button
constexpr int X11_EVENT_POINTER_Y = 64;
constexpr int X11_EVENT_BUTTON_NUMBER = 80;
constexpr int X11_EVENT_STRING_LENGTH = 84;  // string events: length, then up to 36 characters
constexpr int X11_EVENT_STRING_TEXT = 88;
constexpr int X11_EVENT_STRING_MAX = 128 - X11_EVENT_STRING_TEXT - 1;

inline int32_t& x11EventWord(x11InputEvent& e, int byteOffset) { return e.words[byteOffset / 4]; }
inline int32_t x11EventWord(const x11InputEvent& e, int byteOffset) { return e.words[byteOffset / 4]; }
