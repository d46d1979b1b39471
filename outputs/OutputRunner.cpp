#include "outputs/OutputRunner.h"

#include "core/Clock.h"
#include "core/MessageService.h"
#include "history/ChildHistory.h"
#include "procedures/ChartPageSnapshot.h"
#include "procedures/ChartView.h"
#include "records/OutputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zelpo {

OutputRunner::OutputRunner(ChartLook look, QWidget* dialogParent, OutputServices services)
    : m_look(std::move(look)), m_dialogParent(dialogParent), m_services(std::move(services))
{}

bool OutputRunner::historyReadAgain()
{
    if (m_services.lookUpTypedHistory()) {
        return false;
    }
    // An output never goes on with a history it could not read: it would show none.
    if (const MaybeFailure unread = m_services.history.refresh(WaitCursor().whileWaiting())) {
        refuse(QStringLiteral("No se pudieron leer las medidas almacenadas.\r%1")
                   .arg(unread->description));
        return false;
    }
    return true;
}

ChartPageContent OutputRunner::page() const
{
    return chartPageSnapshot(m_look, m_services.history, m_services.clock.today(),
                             m_services.view.spans());
}

ChartPageContent OutputRunner::chartPicture() const
{
    return chartPictureSnapshot(m_look, m_services.history, m_services.view.spans());
}

QString OutputRunner::proposedPath(const QString& suffix) const
{
    const ChildHistory& history = m_services.history;
    const QString name = (history.key().namesAChild() && !history.fileName().isEmpty()
                              ? QFileInfo(history.fileName()).completeBaseName()
                              : QStringLiteral("zelpo")) +
                         suffix;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(name);
}

QString OutputRunner::chooseTarget(SaveChoice choice)
{
    choice.proposedPath = proposedPath(QLatin1Char('.') + choice.suffix);
    const QString path = m_services.dialogs.chooseSavePath(m_dialogParent, choice);
    // Told before anything is made: the dialog may have offered to replace a history.
    if (!path.isEmpty()) {
        if (const MaybeFailure refused = refuseOutputOverPatientFile(path)) {
            refuse(refused->description);
            return QString();
        }
    }
    return path;
}

bool OutputRunner::write(const QString& path, const std::function<MaybeFailure()>& writing,
                         const QString& failed)
{
    const MaybeFailure failure = underWaitCursor(writing);
    if (failure) {
        refuse(QStringLiteral("%1\r%2\r\r%3")
                   .arg(failed, QDir::toNativeSeparators(path), failure->description));
    }
    return !failure;
}

PrinterChoice OutputRunner::choosePrinter(QPrinter& printer)
{
    return m_services.dialogs.choosePrinter(m_dialogParent, printer,
                                            proposedPath(QStringLiteral(".pdf")));
}

void OutputRunner::refuse(const QString& text) const
{
    m_services.messages.show(text, MessageStyle::OkStop);
}

void OutputRunner::tell(const QString& text) const
{
    m_services.messages.show(text, MessageStyle::OkInformation);
}

bool OutputRunner::ask(const QString& question) const
{
    return m_services.messages.show(question, MessageStyle::YesNoQuestion) == MessageAnswer::Yes;
}

} // namespace zelpo
