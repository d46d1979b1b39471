#pragma once

#include "history/ChildKey.h"

namespace zelpo {

class MessageService;
class PerZelpo;
class ChildHistory;

// Opens in `history` the child named by the history-number box and the sex option and shows its
// stored history: the chart cleared of the last child and, as the window follows the history, the
// stored birth date in the birth-date box, locked, and the chart showing the history's
// weighings, each at the child's age on the day it was stored. Without a patient file the
// birth-date box is emptied for typing. A step that
// fails is reported and the next one runs; a file that cannot be read ends the loading with the
// weighings read before that.
void CargarHistoria(PerZelpo& window, ChildHistory& history, MessageService& messages);

// The child the history-number box and the sex option name, as a look-up opens it.
ChildKey childNamedByBoxes(const PerZelpo& window);

// Tells the user that a history number must be a whole number.
void reportHistoryNumberNotNumeric(MessageService& messages);

} // namespace zelpo
