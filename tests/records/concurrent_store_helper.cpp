// One copy of the program storing weighings for child 4711 (Mujer) as fast as it can, started
// twice at once by the concurrent-store test. It says "ready" and waits for a line on its
// standard input naming a moment (microseconds since the epoch) to start at, then waits for that
// moment without sleeping, so that both copies begin within microseconds of each other.
//
// Usage: concurrent_store_helper <folder> <birth date> <first weight> <count>

#include "records/PatientFile.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fputs("usage: concurrent_store_helper <folder> <birth date> <first weight> <count>\n",
                   stderr);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString birthDate = QString::fromLocal8Bit(argv[2]);
    const int firstWeight = std::stoi(argv[3]);
    const int count = std::stoi(argv[4]);

    std::cout << "ready" << std::endl;
    std::string startLine;
    std::getline(std::cin, startLine);
    const std::chrono::system_clock::time_point start{
        std::chrono::microseconds(std::stoll(startLine))};
    while (std::chrono::system_clock::now() < start) {
    }

    for (int i = 0; i < count; ++i) {
        const zelpo::MaybeFailure failure =
            zelpo::GuardarMedida(false, QStringLiteral("4711"), birthDate,
                                 QString::number(firstWeight + i), QDate(2021, 3, 3), folder);
        if (failure) {
            std::cerr << "store " << i << " failed: " << failure->code << ' '
                      << failure->description.toStdString() << std::endl;
            return 1;
        }
    }
    return 0;
}
