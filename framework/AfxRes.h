// framework/AfxRes.h
// Ids that the framework itself defines; usable from C++ and from .rc files.
#pragma once

#define ID_SEPARATOR            0

#define ID_APP_ABOUT            0xE140
#define ID_APP_EXIT             0xE141
#define ID_HELP                 0xE146

#define ID_INDICATOR_CAPS       0xE701
#define ID_INDICATOR_NUM        0xE702
#define ID_INDICATOR_SCRL       0xE703

#define ID_VIEW_TOOLBAR         0xE800
#define ID_VIEW_STATUS_BAR      0xE801

#define AFX_IDW_TOOLBAR         0xE800
#define AFX_IDW_STATUS_BAR      0xE801
#define AFX_IDW_PANE_FIRST      0xE900

#define AFX_IDS_APP_TITLE       0xE000
#define AFX_IDS_IDLEMESSAGE     0xE001
#define AFX_IDP_FAILED_TO_OPEN_DOC 0xF104
#define AFX_IDP_FAILED_MEMORY_ALLOC 0xF105
#define AFX_IDP_INTERNAL_FAILURE 0xF106
