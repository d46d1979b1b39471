#pragma once

#include "core/Failure.h"
#include "core/OutputDialogs.h"
#include "look/ChartLook.h"
#include "printout/ChartPage.h"
#include "procedures/WaitCursor.h"

#include <functional>

class QPrinter;
class QWidget;

namespace zelpo {

class ChartView;
class ChildHistory;
class Clock;
class MessageService;

// What sending the chart out asks of the world outside the window.
struct OutputServices
{
    MessageService& messages;
    Clock& clock;
    OutputDialogs& dialogs;
    // The open child's history, whose weighings every output shows.
    ChildHistory& history;
    // Looks up a history number typed since the last look-up, as leaving the box would, and
    // says whether it did: the output then stops, and the user asks again on the chart the
    // look-up brought, so that what goes out only ever shows the child whose history is loaded.
    std::function<bool()> lookUpTypedHistory;
    // The view of the chart the window shows, which the page and the copied chart show too.
    ChartView& view;
};

// Runs `work` with the wait cursor shown: the sheets of a long history take a moment to draw. The
// cursor is gone before any message about the outcome.
template <typename Work>
auto underWaitCursor(Work work)
{
    WaitCursor cursor;
    cursor.show();
    return work();
}

// What every output of the chart does alike: the open child's history read again, the file
// chosen and guarded, written whole under the wait cursor, and what happened told. Each output
// (printing, the PDF, the spreadsheet, the copied chart) is a function of its own that takes the
// runner; none opens a patient file but through the history, and no file written ever replaces
// one.
class OutputRunner
{
public:
    // The page and the copied chart are drawn in `look`; the dialogs open over `dialogParent`.
    OutputRunner(ChartLook look, QWidget* dialogParent, OutputServices services);

    // The open child, looked up and its history read again for one output; false when the
    // output stops there: a number was looked up first, or the file is in use elsewhere.
    bool historyReadAgain();
    // Looks up a number typed since the last look-up, without reading the history again; true
    // when it did, and the output stops.
    bool typedHistoryLookedUp() { return m_services.lookUpTypedHistory(); }

    // The page of the history as it stands, dated today, in the view the window shows.
    ChartPageContent page() const;
    // The chart picture alone in that view, with the history's markers and arrow.
    ChartPageContent chartPicture() const;

    // Where a save dialog opens: the patient file's name with `suffix` ("0004711M.pdf"), or
    // "zelpo" with it without a history number, in the user's Documents folder, or the home
    // folder when there is none.
    QString proposedPath(const QString& suffix) const;
    // The save dialog, offering the child's name with the choice's suffix, then the guard: the
    // file chosen once it may be written; empty when the dialog was cancelled or the user was told
    // why not.
    QString chooseTarget(SaveChoice choice);
    // Writes the file chosen under the wait cursor; when it could not be written, tells
    // `failed` ("No se pudo guardar el gráfico en el archivo") with the file and why. True when
    // it was written.
    bool write(const QString& path, const std::function<MaybeFailure()>& writing,
               const QString& failed);

    // The print dialog, offering to print to a file named as `proposedPath(".pdf")`.
    PrinterChoice choosePrinter(QPrinter& printer);

    void refuse(const QString& text) const;
    void tell(const QString& text) const;
    // A question answered Sí or No; true for Sí.
    bool ask(const QString& question) const;

    const ChildHistory& history() const { return m_services.history; }

private:
    ChartLook m_look;
    QWidget* m_dialogParent;
    OutputServices m_services;
};

} // namespace zelpo
