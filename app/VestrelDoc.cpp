// app/VestrelDoc.cpp
#include "VestrelDoc.h"

IMPLEMENT_DYNCREATE(CVestrelDoc, CDocument)

BEGIN_MESSAGE_MAP(CVestrelDoc, CDocument)
END_MESSAGE_MAP()

void CVestrelDoc::Serialize(CArchive&)
{
    // Nothing is kept: a file named on the command line opens as an empty document and stays as it was.
}
