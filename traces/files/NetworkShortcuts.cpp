// traces/files/NetworkShortcuts.cpp
// "Net": the shortcuts of the network-neighbourhood folder.
#include "view/VestrelView.h"
#include "SpecialFolders.h"
#include <shlobj.h>

void CVestrelView::OnAnalyzeNet()
{
    RecordCategory(Trace::Net);
    ClearResults();
    CString nethood;
    if (FindSpecialFolder(CSIDL_NETHOOD, nethood))
        ListFolder(nethood, "");
    ReportAnalysis(Trace::Net);
}

void CVestrelView::OnDeleteNet()
{
    EraseOutcome outcome;
    CString nethood;
    if (FindSpecialFolder(CSIDL_NETHOOD, nethood))
        DeleteFolder(nethood, "", TRUE, TRUE, FALSE, outcome);
    ClearResults();
    ReportCleaned(Trace::Net, outcome);
}
