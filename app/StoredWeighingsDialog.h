#pragma once

#include "core/Failure.h"

#include <optional>

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace zelpo {

class Clock;
class MessageService;
class TextPrompt;
class ChildHistory;
struct StoredWeighing;

// What correcting the stored weighings asks of the world outside the window.
struct CorrectionServices
{
    MessageService& messages;
    TextPrompt& prompt;
    const Clock& clock;
};

// "Medidas almacenadas — Historia 0004711 (Mujer)": every weighing stored for the open child,
// in the patient file's order, where one entered in error is struck out with its reason, one
// struck out by mistake restored, and a wrong birth date corrected. Nothing stored is erased:
// each correction is a record kept beside the patient file. Everything works from the keyboard.
class StoredWeighingsDialog : public QDialog
{
    Q_OBJECT

public:
    StoredWeighingsDialog(zelpo::ChildHistory& history, CorrectionServices services,
                          QWidget* parent = nullptr);

signals:
    // The history was corrected: what the chart shows of it is no longer right.
    void corrected();

private:
    void strikeOut();
    void restore();
    void correctBirthDate();
    // Records the gestational age at birth, which a baby born early is read at the corrected
    // age for.
    void recordGestationalAge();
    void showState();
    // The weighing of the selected row; none when no row is selected.
    const zelpo::StoredWeighing* selected() const;
    std::optional<QString> askReason(const QString& title);
    void tellIfFailed(const zelpo::MaybeFailure& failure, const QString& what);

    zelpo::ChildHistory& m_history;
    CorrectionServices m_services;
    // The weighing worked on, kept across the table's renewal after a change of the history.
    std::optional<qsizetype> m_currentRecord;
    QLabel* m_birthDate;
    QTableView* m_table;
    QPushButton* m_strikeOut;
    QPushButton* m_restore;
};

} // namespace zelpo
