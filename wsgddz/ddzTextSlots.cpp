// Entry slots 17 and 19-23: which side takes text output, and text styles.
#include "ddzDispatch.h"
#include "ddzEntrySlots.h"

#include "pelk.h"

#include "win32.h"

void ddzResetTextStyle() { txtst_c.text_channel_style[0] = -1; }

void ddzGraphicsTextOutput() {
    if (wssync_c.ws_sync_state == 2) return;
    wssync_c.ws_sync_state = 2;
    txtst_c.text_channel_style[0] = -1;
}

void ddzHostTextOutput() {
    wssync_c.ws_sync_state = 1;
    const int32_t deviceControl = 1, bell = 4;
    ddzCommand(&deviceControl, &bell, nullptr, nullptr);
}

void ddzTextStyle(const int32_t* channel) {
    if (!channel || *channel < 1 || *channel > 4) return;
    const int32_t style = txtst_c.text_channel_style[*channel];
    if (style < 1 || style > 3) return;
    int32_t* record = txtst_c.text_style_records[style - 1];
    x11stx(channel, &record[0], &record[1]);
}
