#pragma once

namespace zelpo {

class MessageService;
class PerZelpo;
class ChildHistory;

// Opens in `history` the child named by the history-number box and the sex option and shows its
// stored history: the chart cleared of the last child, the stored birth date in the birth-date
// box, locked, and the chart showing the history's weighings, each at the child's age on the day
// it was stored. Without a patient file the birth-date box is emptied for typing. A step that
// fails is reported and the next one runs; a file that cannot be read ends the loading with the
// weighings read before that.
void CargarHistoria(PerZelpo& window, ChildHistory& history, MessageService& messages);

// Puts the birth date every age counts from into the birth-date box once the history was
// corrected; the chart follows the history by itself. Nothing is read or told.
void showCorrectedBirthDate(PerZelpo& window, const ChildHistory& history);

// Tells the user that a history number must be a whole number.
void reportHistoryNumberNotNumeric(MessageService& messages);

} // namespace zelpo
