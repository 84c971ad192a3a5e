// Entry slots 5-7: dial and 3D-device assignment words of the host.
#include "ddzEntrySlots.h"

#include "pelk.h"

namespace {

void setBit(int32_t& word, int32_t bit) { sbit32(&word, &bit); }
void clearBit(int32_t& word, int32_t bit) { cbit32(&word, &bit); }

}  // namespace

void ddzArmDials(int32_t* channel) {
    dmuarc(channel);
    for (int32_t i = 1; i <= 4; ++i) {
        const int k = i - 1;
        if (tpdad_c.dial_exclude_132[k] == 1 || tpdad_c.dial_exclude_148[k] == 0 || tpdad_c.dial_exclude_164[k] == 4 ||
            tpdad_c.dial_exclude_164[k] == 5) {
            continue;
        }
        clearBit(tpdcs_c.dcs_bits_164, i);
        clearBit(tpdcs_c.dcs_bits_196, i);
        setBit(tpdcs_c.dcs_bits_168, i);
        setBit(tpdcs_c.dcs_bits_128, i);
        setBit(tpdcs_c.dcs_bits_132, i);
        tpdcs_c.dcs_channel_172[k] = 3;
        setBit(tpdcs_c.dcs_bits_200, i);
        setBit(tpdcs_c.dcs_bits_140, i);
        setBit(tpdcs_c.dcs_bits_136, i);
    }
}

void ddzDialsReady(int32_t* status) {
    dmurdy(status);
    if (*status != 2 || tppost_c.post_busy) return;
    for (int k = 0; k < 4; ++k) tpdad_c.dial_active[k] = 0;
    for (int k = 0; k < 4; ++k) {
        if (tpdad_c.dial_present[k] != 1 || tpspec_c.spec_enabled[k] != 1) continue;
        tpsyst_c.syst_last_channel = k + 1;
        tpdad_c.dial_assigned[k] = tpdad_c.dial_source[k];
        tpdad_c.dial_active[k] = 1;
        tpdad_c.dial_active_mode[k] = tpdad_c.dial_mode[k] == 4 ? 4 : 1;
    }
}

void ddzReadDials(void* a, void* b, void* c) { dmutrd(a, b, c); }
