#pragma once

// A girl born on 14/02/2021, history 4711, whose stored weighings the tests of the outputs send
// out of the program.

#include <QByteArray>
#include <QStringList>

// (date, age in days, whole months, grams, band, gain a day) of each stored weighing.
inline const QStringList storedRows[] = {{"03/03/2021", "17", "0", "3950", "P50–P97", "—"},
                                         {"16/03/2021", "30", "0", "6000", "> P97", "+158"},
                                         {"16/04/2021", "61", "2", "8000", "> P97", "+65"},
                                         {"14/02/2022", "365", "12", "9800", "P50–P75", "+6"}};

// Her patient file, 0004711M.CRV, as the program stored it.
inline QByteArray girlsPatientFile()
{
    QByteArray file = "\"14/02/2021\"\r\n";
    for (const QStringList& row : storedRows) {
        file += '"' + row[0].toLatin1() + row[3].rightJustified(10, u'0').toLatin1() + "\"\r\n";
    }
    return file;
}
