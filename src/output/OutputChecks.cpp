#include "OutputChecks.h"

#include "data/Messages.h"

void CheckListForOutput(bool queried, int rowCount)
{
    if (!queried)
        StopWith(QString::fromUtf8(kNotQueriedText));
    if (rowCount <= 0)
        StopWith(QString::fromUtf8(kNoRowsText));
}
