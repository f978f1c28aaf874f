// Recognising a module's own lines in a vessel's scenario block.
#ifndef QUORVANE_FRAME_SCENARIO_KEY_H
#define QUORVANE_FRAME_SCENARIO_KEY_H

namespace frame {

// True when the line starts with the four-letter key (upper case), in any
// case of letters. Only the first four characters count, so a longer first
// word still matches; a shorter line differs at its terminating zero and is
// never read past.
bool HasScenarioKey(const char *line, const char *key);

}  // namespace frame

#endif
