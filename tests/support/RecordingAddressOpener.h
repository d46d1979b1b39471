#pragma once

#include "core/AddressOpener.h"

#include <QStringList>

// Remembers the addresses the program asked to open instead of starting a browser. The result
// can be set to false to play a desktop that has no handler for the address.
class RecordingAddressOpener final : public zelpo::AddressOpener
{
public:
    void setResult(bool accepted) { m_result = accepted; }
    const QStringList& opened() const { return m_opened; }

    bool open(const QString& address) override
    {
        m_opened.append(address);
        return m_result;
    }

private:
    QStringList m_opened;
    bool m_result = true;
};
