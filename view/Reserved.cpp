// view/Reserved.cpp
// Categories that have a command and a tag but search and erase nothing yet.
#include "VestrelView.h"
#include "framework/WinApp.h"

namespace {

void ShowReservedNotice(Trace trace)
{
    AfxMessageBox(TraceCategoryOf(trace).reservedNotice, MB_OK);
}

}

void CVestrelView::OnAnalyzeSearch() { RecordCategory(Trace::Search); }
void CVestrelView::OnAnalyzeComputer() { RecordCategory(Trace::Computer); }
void CVestrelView::OnAnalyzeForm() { RecordCategory(Trace::Form); }
void CVestrelView::OnAnalyzePassword() { RecordCategory(Trace::Password); }
void CVestrelView::OnAnalyzeTelnet() { RecordCategory(Trace::Telnet); }

void CVestrelView::OnDeleteSearch() { ShowReservedNotice(Trace::Search); }
void CVestrelView::OnDeleteComputer() { ShowReservedNotice(Trace::Computer); }
void CVestrelView::OnDeleteForm() { ShowReservedNotice(Trace::Form); }
void CVestrelView::OnDeletePassword() { ShowReservedNotice(Trace::Password); }
void CVestrelView::OnDeleteTelnet() { ShowReservedNotice(Trace::Telnet); }
