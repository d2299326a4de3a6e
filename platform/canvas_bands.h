// Work on a drawing output shared out in bands of pixel rows, the bands drawn
// side by side on the processor's cores. Each band only ever touches its own
// rows, so the result is the same as one pass over the whole output. Plain
// C++, no Qt.
#pragma once

#include <functional>

inline constexpr int kMaxRowBands = 8;

// How many bands the output is split into at most: one per core that the
// calling thread may run on (its CPU affinity), at most kMaxRowBands; 1 on a
// single core. SetRowBandCount sets it (1 draws
// everything on the calling thread, more bands than cores take turns), e.g. to
// compare a banded drawing with a plain one; 0 goes back to the cores' count.
int GetRowBandCount();
void SetRowBandCount(int count);

// Splits rows [0, height) into bands of at least minRows rows each (as many as
// GetRowBandCount allows) and calls work(band, top, bottom) for each band's rows
// [top, bottom), band 0 on the calling thread, the others at the same time on
// the band workers. Returns when every band is done, with the number of bands.
// The work must not throw and must not start bands itself.
int RunInRowBands(int height, int minRows, const std::function<void(int band, int top, int bottom)>& work);

// Ends the band workers (at shutdown, before the Qt application ends: a worker
// that drew keeps Qt data of its thread until it ends). The next bands start
// them again.
void StopRowBandWorkers();
