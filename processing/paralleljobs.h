#pragma once

// How many conversions a batch runs at once. The setting is 0 for "automatic" or a count.
namespace paralleljobs
{

// The counts the Settings menu offers besides "Automatic".
inline constexpr int offeredCounts[] = {1, 2, 4, 8};

// The setting a stored value stands for: a count from 1 to 64, or 0 (automatic) for anything
// else, so that a missing or damaged value means automatic.
int settingFromStored(int stored);

// The number of conversions to run for a setting: automatic means the number of processors this
// process may use, since each ffmpeg run keeps about one of them busy.
int jobsToRun(int setting);

} // namespace paralleljobs
