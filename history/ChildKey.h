#pragma once

#include "core/Failure.h"
#include "core/PercentileCurves.h"

#include <QString>

namespace zelpo {

// The one place a child is named: the history number as it was typed and looked up, and the
// sex. Everything that opens a patient file takes its name from here.
struct ChildKey
{
    QString historyText;
    bool varon = false;

    // Whether the number names a child: a whole number other than the box's initial 0.
    bool namesAChild() const;
    // The patient file's name, e.g. 0004711M.CRV; fails when the number needs more than seven
    // characters.
    Result<QString> fileName() const;
    // The history number as the file's name writes it ("0004711"), or empty when the number
    // names no child.
    QString historyNumber() const;
    // Whose curves the child's weighings are read against.
    ChartSex chart() const { return varon ? ChartSex::Boys : ChartSex::Girls; }
};

} // namespace zelpo
