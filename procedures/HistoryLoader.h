#pragma once

namespace zelpo {

class MessageService;
class PerZelpo;
class ChildHistory;

// Clears the chart, opens in `history` the child named by the history-number box and the sex
// option, and shows its stored history: the stored birth date in the birth-date box, locked, and
// one marker per stored weighing at the child's age on the day it was stored. Without a patient
// file the birth-date box is emptied for typing. A step that fails is reported and the next one
// runs; a file that cannot be read ends the loading with the markers placed so far.
void CargarHistoria(PerZelpo& window, zelpo::ChildHistory& history, MessageService& messages);

// Draws the open history again once it was corrected: the chart cleared, the birth date as
// corrected in the box and one marker per weighing that stands. Nothing is read or told.
void redrawHistory(PerZelpo& window, zelpo::ChildHistory& history);

// Tells the user that a history number must be a whole number.
void reportHistoryNumberNotNumeric(MessageService& messages);

} // namespace zelpo
