// The entry functions behind the host's 34-slot table, in their typed form.
#pragma once

#include <cstdint>

struct x11InputEvent;

void ddzDrawText(const int32_t* x, const int32_t* y, const int32_t* count, const char* text);  // 3
void ddzPenMove(const int32_t* pen, const int32_t* x, const int32_t* y);                        // 4
void ddzArmDials(int32_t* channel);                                                             // 5
void ddzDialsReady(int32_t* status);                                                            // 6
void ddzReadDials(void* a, void* b, void* c);                                                   // 7
void ddzAnimationMenu(const int32_t* count, const int32_t* texts);                              // 8
void ddzRegisterChoices(const int32_t* flags);                                                  // 9
void ddzChoiceValue(const int32_t* n, int32_t* device, int32_t* value);                         // 10
void ddzCloseDevice();                                                                          // 11
void ddzOpenDevice();                                                                           // 18
void ddzDescribeWorkstation();                                                                  // 12
void ddzAttributeDefaults(int32_t* status);                                                     // 14
void ddzInputDefaults();                                                                        // 15
void ddzDeviceGeometry();                                                                       // 16
void ddzResetTextStyle();                                                                       // 17, 21, 22
void ddzGraphicsTextOutput();                                                                   // 19
void ddzHostTextOutput();                                                                       // 20
void ddzTextStyle(const int32_t* channel);                                                      // 23
void ddzPointerPosition(int32_t* x, int32_t* y);                                                // 24
void ddzFunctionKeyHeld(int32_t* pressed);                                                      // 25

//! The two choice tables of entry slots 9 and 10: entry numbers 0..4.
constexpr int kChoiceEntries = 5;
struct ddzChoiceTables {
    int32_t device[kChoiceEntries];
    int32_t value[kChoiceEntries];
};
ddzChoiceTables& ddzChoices();
