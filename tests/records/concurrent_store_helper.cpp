// One copy of the program storing weighings for child 4711 (Mujer) as fast as it can, started
// twice at once by the concurrent-store test. It says "ready" and waits for a line on its standard
// input, which both copies are sent together, so that they begin storing at the same moment.
//
// With "hold" it is another desk in the middle of a slow append: it locks the file (waiting while
// another holds it), writes half of <text>, says "locked" and keeps the lock until a line or the
// end of its standard input lets it go on; then it writes the rest and ends, which frees the lock.
//
// Usage: concurrent_store_helper <folder> <birth date> <first weight> <count>
//        concurrent_store_helper hold <file> [<text>]

#include "core/Conversions.h"
#include "records/PatientFile.h"

#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <unistd.h>

static bool holdTheLock(const char* path, const std::string& text)
{
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    const int file = ::open(path, O_RDWR | O_APPEND);
    const auto half = ssize_t(text.size() / 2);
    if (file < 0 || ::fcntl(file, F_SETLKW, &whole) != 0 ||
        ::write(file, text.data(), half) != half)
        return false;
    std::cout << "locked" << std::endl;
    std::string goOn;
    std::getline(std::cin, goOn);
    return ::write(file, text.data() + half, text.size() - half) == ssize_t(text.size()) - half;
}

int main(int argc, char* argv[])
{
    if (argc >= 3 && argv[1] == std::string("hold")) {
        return holdTheLock(argv[2], argc > 3 ? argv[3] : "") ? 0 : 1;
    }
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
    std::string start;
    std::getline(std::cin, start);

    for (int i = 0; i < count; ++i) {
        const zelpo::Result<zelpo::FiledWeighing> filed = zelpo::GuardarMedida(
            QStringLiteral("0004711M.CRV"), zelpo::dateValue(birthDate).value_or(QDate()),
            firstWeight + i, QDate(2021, 3, 3), folder);
        if (!filed.ok()) {
            std::cerr << "store " << i << " failed: " << filed.failure().code << ' '
                      << filed.failure().description.toStdString() << std::endl;
            return 1;
        }
    }
    return 0;
}
