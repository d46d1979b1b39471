#pragma once

#include "procedures/CorrectionCommands.h"

#include <optional>

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

namespace zelpo {

class ChildHistory;
class StoredWeighingsModel;
struct StoredWeighing;

// "Medidas almacenadas — Historia 0004711 (Mujer)": every weighing stored for the open child,
// in the patient file's order, with the buttons that strike one entered in error out, restore one
// struck out by mistake, correct a wrong birth date and record the gestational age at birth. The
// table follows the history; the corrections themselves are the procedures'. Everything works
// from the keyboard.
class StoredWeighingsDialog : public QDialog
{
    Q_OBJECT

public:
    StoredWeighingsDialog(zelpo::ChildHistory& history, CorrectionServices services,
                          QWidget* parent = nullptr);

private:
    void showState();
    // The weighing of the selected row; none when no row is selected.
    const zelpo::StoredWeighing* selected() const;
    // Runs a correction of the selected weighing, when a row is selected.
    void onSelected(void (*command)(ChildHistory&, const StoredWeighing&, CorrectionServices));

    zelpo::ChildHistory& m_history;
    CorrectionServices m_services;
    StoredWeighingsModel* m_model;
    // The weighing worked on, kept across the table's renewal after a change of the history.
    std::optional<qsizetype> m_currentRecord;
    QLabel* m_birthDate;
    QTableView* m_table;
    QPushButton* m_strikeOut;
    QPushButton* m_restore;
};

} // namespace zelpo
