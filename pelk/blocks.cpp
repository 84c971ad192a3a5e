// The shared data blocks, zero at load.
#include "pelk_blocks.h"

extern "C" {
grdd_block grdd_c;
grmap_block grmap_c;
txtst_block txtst_c;
wsdcpt_block wsdcpt_c;
wssync_block wssync_c;
tpinpt_block tpinpt_c;
tpdad_block tpdad_c;
tpdcs_block tpdcs_c;
tpspec_block tpspec_c;
tpsyst_block tpsyst_c;
tppost_block tppost_c;
tppoly_block tppoly_c;
tpopts_block tpopts_c;
tplght_block tplght_c;
grrast_block grrast_c;
comlist_block comlist;
}
