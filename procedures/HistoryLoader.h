#pragma once

class MessageService;
class QDir;
class PerZelpo;

// Clears the chart and shows the stored history, in `patientFolder`, of the child named by the
// history-number box and the sex option: the stored birth date in the birth-date box, locked, and
// one marker per stored weighing at the child's age on the day it was stored. Without a patient
// file the birth-date box is emptied for typing. A step that fails is reported and the next one
// runs; a file that cannot be read ends the loading with the markers placed so far.
void CargarHistoria(PerZelpo& window, MessageService& messages, const QDir& patientFolder);

// Tells the user that a history number must be a whole number.
void reportHistoryNumberNotNumeric(MessageService& messages);
