#include "outputs/PrintQueue.h"

#ifdef ZELPO_HAVE_CUPS
#include <cups/cups.h>

#include <QLibrary>
#endif

namespace zelpo {

#ifdef ZELPO_HAVE_CUPS

namespace {

// The print system's library is taken when the user prints, when Qt's own printing has loaded
// it already: linked to the program, it and a score of libraries behind it would be loaded at
// every start for a print that may never come.
struct CupsCalls
{
    decltype(&httpConnect2) connect = nullptr;
    decltype(&httpClose) close = nullptr;
    decltype(&cupsServer) server = nullptr;
    decltype(&ippPort) port = nullptr;
    decltype(&cupsEncryption) encryption = nullptr;
    decltype(&cupsGetNamedDest) namedDestination = nullptr;
    decltype(&cupsGetOption) option = nullptr;
    decltype(&cupsFreeDests) freeDestinations = nullptr;
    decltype(&cupsLastError) lastError = nullptr;
    decltype(&cupsLastErrorString) lastErrorText = nullptr;

    bool found() const
    {
        return connect && close && server && port && encryption && namedDestination && option &&
               freeDestinations && lastError && lastErrorText;
    }
};

template <typename Call>
void resolve(QLibrary& library, Call& call, const char* name)
{
    call = reinterpret_cast<Call>(library.resolve(name));
}

// Nothing is known, and nothing said, where the print system's library cannot be found.
const CupsCalls* cups()
{
    static const CupsCalls calls = [] {
        CupsCalls found;
        QLibrary library(QStringLiteral("cups"), 2);
        if (library.load()) {
            resolve(library, found.connect, "httpConnect2");
            resolve(library, found.close, "httpClose");
            resolve(library, found.server, "cupsServer");
            resolve(library, found.port, "ippPort");
            resolve(library, found.encryption, "cupsEncryption");
            resolve(library, found.namedDestination, "cupsGetNamedDest");
            resolve(library, found.option, "cupsGetOption");
            resolve(library, found.freeDestinations, "cupsFreeDests");
            resolve(library, found.lastError, "cupsLastError");
            resolve(library, found.lastErrorText, "cupsLastErrorString");
        }
        return found;
    }();
    return calls.found() ? &calls : nullptr;
}

// A printer CUPS cannot find may be one whose server is gone: CUPS then reports it not found.
QString serverRefusal(const CupsCalls& calls)
{
    http_t* server = calls.connect(calls.server(), calls.port(), nullptr, AF_UNSPEC,
                                   calls.encryption(), 1, 5000, nullptr);
    if (server == nullptr) {
        return QStringLiteral("el servicio de impresión no responde");
    }
    calls.close(server);
    return QStringLiteral("la impresora no está instalada en este equipo");
}

} // namespace

QString printQueueRefusal(const QString& printer)
{
    const CupsCalls* calls = cups();
    if (!calls) {
        return QString();
    }
    // A printer's instance ("oficina/a5") shares its queue.
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_dest_t* destination =
        calls->namedDestination(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (destination == nullptr) {
        return serverRefusal(*calls);
    }
    const char* accepting =
        calls->option("printer-is-accepting-jobs", destination->num_options, destination->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    calls->freeDestinations(1, destination);
    return refuses ? QStringLiteral("la impresora no acepta trabajos en este momento") : QString();
}

QString printJobRefusal()
{
    const CupsCalls* calls = cups();
    if (!calls) {
        return QString();
    }
    // Qt's engine ends a job with cupsPrintFile on this thread, and CUPS keeps the answer.
    const ipp_status_t status = calls->lastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return QString();
    }
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) {
        return QStringLiteral("la impresora no acepta trabajos en este momento");
    }
    if (status == IPP_STATUS_ERROR_NOT_FOUND || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        return serverRefusal(*calls);
    }
    return QStringLiteral("el servicio de impresión no aceptó el trabajo (%1)")
        .arg(QString::fromLocal8Bit(calls->lastErrorText()));
}

#else

QString printQueueRefusal(const QString&)
{
    return QString();
}

QString printJobRefusal()
{
    return QString();
}

#endif

} // namespace zelpo
