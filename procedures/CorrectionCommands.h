#pragma once

namespace zelpo {

class ChildHistory;
class Clock;
class MessageService;
class TextPrompt;
struct StoredWeighing;

// What correcting the stored weighings asks of the world outside the window.
struct CorrectionServices
{
    MessageService& messages;
    TextPrompt& prompt;
    const Clock& clock;
};

// The corrections of the open child's history. Each asks the user what it needs, refuses what
// may not be recorded with a message, and records the correction beside the patient file through
// the history, which every view follows; a correction that could not be recorded is told.
// Nothing stored is ever erased.

// Strikes a weighing that stands out, as entered in error, for a reason the user gives.
void strikeOutWeighing(ChildHistory& history, const StoredWeighing& weighing,
                       CorrectionServices services);
// Lets a weighing struck out stand again; its strike-out stays on file.
void restoreWeighing(ChildHistory& history, const StoredWeighing& weighing,
                     CorrectionServices services);
// Corrects the birth date every age counts from, for a reason the user gives.
void correctBirthDate(ChildHistory& history, CorrectionServices services);
// Records the gestational age at birth, which a baby born early is read at the corrected age
// for; 37+0 or later records a birth at term, which is how a mistaken one is undone.
void recordGestationalAge(ChildHistory& history, CorrectionServices services);

} // namespace zelpo
