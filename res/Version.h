// res/Version.h
// The name, version, copyright and addresses of Vestrel, in one place: the title, the About box and its
// links, the version resource that Windows shows and the manifest are all spelled from these, so they
// cannot drift apart.
#pragma once

// Version <major>.<minor><patch> as the title shows it ("Vestrel v2.00"); Windows shows 2.0.0.0.
#define VESTREL_VERSION_MAJOR   2
#define VESTREL_VERSION_MINOR   0
#define VESTREL_VERSION_PATCH   0
#if VESTREL_VERSION_MINOR > 9 || VESTREL_VERSION_PATCH > 9
#error "the title gives the minor version and the patch one digit each"
#endif

#define VESTREL_PRODUCT         "Vestrel"
#define VESTREL_COPYRIGHT       "Copyright (C) 2026 The Vestrel developers"
#define VESTREL_DESCRIPTION     "Vestrel trace cleaner"
#define VESTREL_FILE_NAME       "Vestrel.exe"
#define VESTREL_WEB             "https://www.example.com/vestrel/"
#define VESTREL_ORDER           "https://www.example.com/vestrel/order"
#define VESTREL_SUPPORT         "support@example.com"

#define VESTREL_TEXT_(x)        #x
#define VESTREL_TEXT(x)         VESTREL_TEXT_(x)
#define VESTREL_VERSION_TEXT    VESTREL_TEXT(VESTREL_VERSION_MAJOR) "." VESTREL_TEXT(VESTREL_VERSION_MINOR) \
                                VESTREL_TEXT(VESTREL_VERSION_PATCH)
#define VESTREL_VERSION_DOTTED  VESTREL_TEXT(VESTREL_VERSION_MAJOR) "." VESTREL_TEXT(VESTREL_VERSION_MINOR) "." \
                                VESTREL_TEXT(VESTREL_VERSION_PATCH) ".0"
#define VESTREL_TITLE           VESTREL_PRODUCT " v" VESTREL_VERSION_TEXT
