#pragma once

#include "history/FolderChildRow.h"
#include "outputs/FolderListSpreadsheet.h"
#include "outputs/OutputRunner.h"

#include <memory>

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QModelIndex;
class QProgressBar;
class QTableView;
class QTimer;

namespace zelpo {

class ChildHistory;
class Clock;
class FolderChildrenFilter;
class FolderChildrenModel;
class FolderReading;
class PerZelpo;

// "Niños de la carpeta — Zelpo": every child of the program's folder at a glance, one row per
// patient file, each as the chart window shows that child once its number is looked up. The
// folder is read on worker threads while the window and the chart stay usable; the rows come in
// as they are read. It stays open beside the chart window: Enter or a double click on a row opens
// that child in the chart as typing its number and choosing its sex does. Everything works from
// the keyboard, and a screen reader reads every control and cell.
class FolderChildrenWindow : public QDialog
{
    Q_OBJECT

public:
    static constexpr int showEveryMilliseconds = 50;

    // `services` hold the chart's open child, whose row follows it, and save the list.
    FolderChildrenWindow(PerZelpo& chart, OutputServices services);
    ~FolderChildrenWindow() override;

    // Shows the window in front of the chart; shown anew, it reads the folder again.
    void bringToFront();
    // Reads the whole folder again, keeping the rows shown until each is read.
    void readFolder();

    // Closing stops the reading.
    void done(int result) override;

private:
    // Takes the rows read since the table last took any, and waits a while before it takes more.
    void showReadRows();
    void placeBesideChart();
    void openChild(const QModelIndex& index);
    void sortBy(int column);
    void exportList();

    PerZelpo& m_chart;
    const ChildHistory& m_history;
    const Clock& m_clock;
    OutputDialogs& m_dialogs;
    // Writes the list as the chart's outputs are written, its dialogs over this window.
    OutputRunner m_outputs;
    FolderChildrenModel* m_model;
    FolderChildrenFilter* m_filter;
    QLineEdit* m_historyStart;
    QCheckBox* m_onlyForReview;
    QComboBox* m_sortBy;
    QTableView* m_table;
    QProgressBar* m_progress;
    QTimer* m_showing;
    // Rows read and not yet in the table: thousands of rows are taken in a few times a second
    // rather than at every batch read, so that the chart window's thread keeps time for the
    // pointer.
    QList<FolderChildRow> m_unshown;
    std::unique_ptr<FolderReading> m_reading;
    FolderListReading m_read;
    bool m_placed = false;
    bool m_columnsSized = false;
};

} // namespace zelpo
