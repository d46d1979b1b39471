#pragma once

#include "core/Failure.h"
#include "history/ChildKey.h"
#include "records/AppliedCorrections.h"
#include "records/RecordFile.h"
#include "records/StoredWeighings.h"

#include <chrono>
#include <optional>

#include <QDate>
#include <QDir>
#include <QObject>
#include <QStringList>

namespace zelpo {

// What looking a child up found under the child's name.
enum class PatientFileFound {
    Unnamed, // the history number does not fit the file's name
    None,    // no patient file, or something else stands under its name
    Found,
};

struct HistoryLookup
{
    PatientFileFound file;
    // Why the name could not be formed, what stands under it instead of a patient file, or why
    // the file could not be read to its end; the records read before that are kept.
    std::optional<Failure> failure;
    // Why the corrections kept beside the file could not all be read or applied.
    std::optional<Failure> corrections;
};

struct Correction;

// A birth date corrected after the patient file was made, which keeps the first one typed.
struct BirthDateCorrection
{
    QDate date;
    QDate correctedOn;
};

// A weighing "Graficar" plotted at this visit, stored or not.
struct PlottedWeighing
{
    QDate date;
    double grams; // as typed: the marker stands at the weight typed, the file keeps its whole part
    // The birth date its age counts from: the one in the box when it was plotted, or the birth
    // date corrected since.
    QDate placedFrom;
    std::optional<qsizetype> record; // its record in the patient file, when it was stored
};

// The open child's history: which child is open, its patient file in memory as it was last read
// or stored, the corrections kept beside it, every weighing read against the child's chart, and
// the weighings plotted at this visit. The chart window and its entry boxes show it, and the
// tooltips, the page, the spreadsheet and the table of stored weighings read it, so that they
// never disagree about the open child. It opens the open child's files for one load, one refresh,
// one store or one correction, and closes them before it returns; the list of the folder's
// children reads every other child through a history of its own. Every change is told before and
// after it is made.
//
// Nothing stored is ever erased or rewritten: a weighing entered in error is struck out, and a
// wrong birth date corrected, by a record appended to the corrections file beside the patient
// file; the history reads the patient file through them.
class ChildHistory : public QObject
{
    Q_OBJECT

public:
    // `opened` is the child named when the window opens, taken as looked up but never read.
    ChildHistory(const QDir& patientFolder, ChildKey opened, QObject* parent = nullptr);

    // Opens the child `key`: reads its patient file once, under the shared lock, and its
    // corrections. A file another desk keeps past the wait leaves the history empty, and the
    // failure says so.
    HistoryLookup load(const ChildKey& key, const WhileWaiting& whileWaiting = {});
    // The history number in the box was refused before any look-up and the box emptied: the child
    // shown stays on the chart, but its weighings are no longer filed, read or printed under a
    // number until another is looked up.
    void forgetNumber();
    // Reads the open child's files again, so that an output shows what other desks have stored
    // since. Fails when the patient file could not be read: when another desk keeps it past the
    // wait the history stays as it was. A file that cannot be read to its end keeps the records
    // read before that, and does not fail.
    MaybeFailure refresh(const WhileWaiting& whileWaiting = {});
    // Files a weighing of the open child under the patient file's lock, takes the file as it was
    // read back then, other desks' records included, with its corrections read again, and plots
    // the weighing at the age counted from the birth date in force (`birthDate` for a new file).
    // Nothing is filed while the corrections cannot be read: no history is shown without them.
    // Hands back the new weighing's record.
    Result<qsizetype> store(QDate birthDate, double grams, QDate today,
                            const WhileWaiting& whileWaiting = {});
    // Plots a weighing that is not stored, at the age counted from `birthDate`, or from the
    // stored birth date in force when the child has one; it stays with the history until another
    // child is opened.
    void plotUnstored(QDate birthDate, double grams, QDate today);

    // Strikes the standing weighing filed as `record` out, as entered in error, for `reason`.
    MaybeFailure strikeOut(qsizetype record, const QString& reason, QDate today,
                           const WhileWaiting& whileWaiting = {});
    // Lets a weighing struck out stand again; its strike-out stays on file.
    MaybeFailure restore(qsizetype record, QDate today, const WhileWaiting& whileWaiting = {});
    // Corrects the birth date every age counts from; the patient file keeps its own.
    // Records the gestational age at birth, which the ages of a baby born early are corrected for;
    // 37+0 or later records a birth at term, which is how a mistaken one is undone.
    MaybeFailure recordGestationalAge(const GestationalAge& gestation, QDate today,
                                      const WhileWaiting& whileWaiting = {});
    MaybeFailure correctBirthDate(QDate birthDate, const QString& reason, QDate today,
                                  const WhileWaiting& whileWaiting = {});

    // How long a file another desk keeps is waited for; the folder's list waits for none.
    void setOtherDeskWait(std::chrono::milliseconds wait) { m_otherDeskWait = wait; }

    const ChildKey& key() const { return m_key; }
    // The program's folder, where the patient files lie.
    const QDir& patientFolder() const { return m_patientFolder; }
    // Whether the history-number text is the one the open child was looked up with; text typed
    // since then names a child not yet looked up.
    bool isLookedUp(const QString& historyText) const { return historyText == m_key.historyText; }
    // The patient file's name, e.g. 0004711M.CRV; empty when the number does not fit it.
    QString fileName() const;

    // Whether the open child's patient file was read with at least its birth date: there is a
    // history to correct, table or export.
    bool hasPatientFile() const { return !m_records.isEmpty(); }
    // Why `birthDate` cannot be the child's corrected birth date on `today`: after today, after
    // a stored weighing or leaving one past the chart; nothing when it can.
    std::optional<QString> birthDateRefusal(QDate birthDate, QDate today) const;
    // Why no age of the history can be worked out: its patient file gave no record, or its first
    // record is no birth date; nothing when the birth date was read.
    std::optional<Failure> birthDateNotRead() const;
    // What the chart does not show of the history as opened, told in the file's order: weighings
    // whose date cannot be read (or is borrowed from the one before), then those past the
    // markers the chart has. Struck-out weighings and those taken before a baby born early was
    // due are left off without a word.
    QList<Failure> weighingsNotShown() const;
    // The weighings as the chart places them, in file order, each read against the one before
    // that stands, the ages counted from the birth date as corrected.
    const StoredHistory& stored() const { return m_stored; }
    // The weighings "Graficar" plotted since the child was opened, oldest first.
    const QList<PlottedWeighing>& plotted() const { return m_plotted; }
    // How many records the patient file held when the child was opened: those after them were
    // stored since, at this desk or at another.
    qsizetype recordsWhenOpened() const { return m_recordsWhenOpened; }
    // The birth date the chart counts the newest weighing's age from: the stored one as
    // corrected, or, for a child with no patient file, the one the newest weighing was plotted
    // from.
    std::optional<QDate> birthDate() const;
    // The birth date every age of the open child counts from, as stored and corrected: nothing
    // when the child has no patient file, or its number was refused since it was looked up.
    std::optional<QDate> storedBirthDate() const;
    // The birth date the patient file keeps, whatever was corrected since.
    std::optional<QDate> fileBirthDate() const;
    const std::optional<BirthDateCorrection>& birthDateCorrection() const
    {
        return m_birthDateCorrection;
    }
    // The weighing filed as record `record`, if the chart places it.
    const StoredWeighing* weighingAt(qsizetype record) const;
    // The weighing a new one's gain counts from: the last one stored that stands.
    std::optional<EarlierWeighing> lastStored() const;
    // The weighing stored before record `record` that stands, which its gain counts from.
    std::optional<EarlierWeighing> storedBefore(qsizetype record) const;

signals:
    // The records, their corrections, the weighings plotted or the child they belong to are about
    // to change; `changed` follows once they have.
    void aboutToChange();
    void changed();

private:
    struct FilesRead
    {
        RecordReading records;
        RecordReading corrections;
    };
    FilesRead readFiles(const QString& name, const WhileWaiting& whileWaiting) const;
    // Makes a change between the two signals that tell of it.
    template <typename Change>
    void change(Change makeIt);
    void take(QStringList records, QStringList corrections);
    MaybeFailure appendCorrection(const Correction& correction, const WhileWaiting& whileWaiting);

    QDir m_patientFolder;
    ChildKey m_key;
    QStringList m_records;
    QStringList m_corrections;
    StoredHistory m_stored;
    QList<PlottedWeighing> m_plotted;
    qsizetype m_recordsWhenOpened = 0;
    std::chrono::milliseconds m_otherDeskWait = otherDeskWait;
    std::optional<BirthDateCorrection> m_birthDateCorrection;
    // The corrections that do not apply to the patient file, and why.
    QList<UnappliedCorrection> m_unapplied;
};

} // namespace zelpo
