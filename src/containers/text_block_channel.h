// The text block channel: an in-memory text stream. Text written to it with
// the ordinary channel operations becomes lines of a text block; after
// Reread the same lines are read back with the ordinary read operations.
// The node scanner, the spell check and the RTF export use it as scratch.
//
// A written line end is held back until more text follows, so a final line
// end leaves no empty last line, while two line ends in a row give one.
#pragma once

#include "containers/text_block.h"
#include "support/channels.h"

namespace folioteer {

// result: kOpened, kOutOfChannels, or kOtherProblem (chan stays invalid).
void OpenTB(Channel& chan, int& result);
void CloseTB(Channel& chan);
void Reread(Channel chan);
// Rewinds and empties the block (one empty line again).
void Rewrite(Channel chan);
TextBlock GetTB(Channel chan);
bool IsTBFile(Channel chan);

}  // namespace folioteer
