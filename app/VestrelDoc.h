// app/VestrelDoc.h
// The document holds nothing: every result lives in the view.
#pragma once
#include "framework/Document.h"

class CVestrelDoc : public CDocument
{
    DECLARE_DYNCREATE(CVestrelDoc)
public:
    ~CVestrelDoc() override = default;
    void Serialize(CArchive& ar) override;

protected:
    DECLARE_MESSAGE_MAP()
};
