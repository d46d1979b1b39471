#include "app/PrintQueue.h"

#ifdef ZELPO_HAVE_CUPS
#include <cups/cups.h>
#endif

namespace zelpo {

#ifdef ZELPO_HAVE_CUPS

namespace {

// A printer CUPS cannot find may be one whose server is gone: CUPS then reports it not found.
QString serverRefusal()
{
    http_t* server = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                  5000, nullptr);
    if (server == nullptr) {
        return QStringLiteral("el servicio de impresión no responde");
    }
    httpClose(server);
    return QStringLiteral("la impresora no está instalada en este equipo");
}

} // namespace

QString printQueueRefusal(const QString& printer)
{
    // A printer's instance ("oficina/a5") shares its queue.
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    cups_dest_t* destination = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(), nullptr);
    if (destination == nullptr) {
        return serverRefusal();
    }
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", destination->num_options, destination->options);
    const bool refuses = accepting != nullptr && qstrcmp(accepting, "false") == 0;
    cupsFreeDests(1, destination);
    return refuses ? QStringLiteral("la impresora no acepta trabajos en este momento") : QString();
}

QString printJobRefusal()
{
    // Qt's engine ends a job with cupsPrintFile on this thread, and CUPS keeps the answer.
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_EVENTS_COMPLETE) {
        return QString();
    }
    if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) {
        return QStringLiteral("la impresora no acepta trabajos en este momento");
    }
    if (status == IPP_STATUS_ERROR_NOT_FOUND || status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE) {
        return serverRefusal();
    }
    return QStringLiteral("el servicio de impresión no aceptó el trabajo (%1)")
        .arg(QString::fromLocal8Bit(cupsLastErrorString()));
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
