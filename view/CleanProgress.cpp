// view/CleanProgress.cpp
#include "CleanProgress.h"
#include "TraceCategory.h"
#include "framework/FrameWnd.h"
#include "framework/WinApp.h"

CCleanProgress::CCleanProgress(CFrameWnd* frame)
    : m_frame(frame), m_start(::GetTickCount()), m_lastAnswer(m_start)
{
}

CCleanProgress::~CCleanProgress()
{
    if (m_shown && m_frame)
        m_frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
}

void CCleanProgress::ItemPassed(int erased)
{
    DWORD now = ::GetTickCount();
    // Unsigned differences: right across the 49-day wrap of the tick count.
    if (now - m_lastAnswer < kPace)
        return;
    m_lastAnswer = now;
    if (now - m_start >= kQuiet && m_frame) {
        m_frame->SetMessageText(CleanProgressText(erased));
        m_shown = true;
    }
    AfxPumpMessages();
}
