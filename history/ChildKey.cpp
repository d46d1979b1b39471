#include "history/ChildKey.h"

#include "records/PatientFile.h"

namespace zelpo {

bool ChildKey::namesAChild() const
{
    return zelpo::namesAChild(historyText);
}

Result<QString> ChildKey::fileName() const
{
    return NombreArchivo(historyText, varon);
}

QString ChildKey::historyNumber() const
{
    if (!namesAChild()) {
        return QString();
    }
    const Result<QString> name = fileName();
    return name.ok() ? name.value().left(7) : QString();
}

} // namespace zelpo
