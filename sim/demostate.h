#pragma once

class SimModel;

// Settings that make a demonstration look like a working installation:
// equalised microphones with cut filters, a mix of the talkers and the
// playback onto the main outputs, limiters on the loudspeakers, a delayed
// zone, gates on the microphones and automatic gain on the PC audio. Written
// through the unit's own commands, as a control program would.
void loadDemoState(SimModel &model);
