// demo/Seed.cpp
// Fills the demo machine with the traces of a few weeks of ordinary use, so that every category
// Vestrel analyzes finds something. Run again, it puts the same traces back.
#include "TraceWriter.h"
#include <shlobj.h>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const char* const kSites[] = {
    "www.example.com", "news.example.org", "shop.example.net", "mail.example.com",
    "maps.example.org", "weather.example.net",
};
const char* const kPages[] = {
    "/", "/index.html", "/2024/04/spring-budget.html", "/search?q=train+times", "/account/login",
    "/products/garden-chairs.html",
};
const struct { const char* path; const char* extension; } kResources[] = {
    { "/styles/site.css", "css" }, { "/scripts/menu.js", "js" }, { "/images/logo.gif", "gif" },
    { "/images/banner.png", "png" },
};
const struct { bool wholeDomain; const char* path; const char* name; const char* value; } kCookies[] = {
    { true, "/", "visitor", "id=4711-0815" }, { false, "/", "prefs", "lang=en&theme=light" },
    { false, "/account/", "session", "7f3a9c21e4" }, { false, "/search/", "recent", "train+times" },
};

const char kTypedUrls[] = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
const char kRunMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
const char kRecentDocs[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs";
const char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// One visit every few hours over the weeks before the demo's "now".
FILETIME VisitTime(int visit)
{
    return HoursBeforeNow(visit * 7 + 3);
}

void SeedUrlCache(TraceWriter& writer, const std::string& user)
{
    int visit = 0;
    for (const std::string site : kSites) {
        for (const char* page : kPages) {
            const std::string url = "http://" + site + page;
            writer.HistoryEntry("Visited: " + user + "@" + url, VisitTime(visit));
            if (visit % 2 == 0)
                writer.ContentEntry(url, "htm", "<html><head><title>" + site + "</title></head><body>" + page + "</body></html>",
                                    VisitTime(visit));
            ++visit;
        }
        for (const auto& resource : kResources)
            writer.ContentEntry("http://" + site + resource.path, resource.extension,
                                std::string("demo content of ") + resource.path, VisitTime(visit++));
        for (const auto& cookie : kCookies) {
            const std::string host = cookie.wholeDomain ? site.substr(site.find('.') + 1) : site;
            writer.CookieEntry(user, host, cookie.path, cookie.name, cookie.value, VisitTime(visit++));
        }
    }
}

void SeedHistoryFolders(TraceWriter& writer)
{
    std::string history;
    if (SpecialFolder(CSIDL_HISTORY, history)) {
        // The weekly containers that the browser rolls over.
        for (const char* week : { "MSHist012024040120240408", "MSHist012024040820240415", "MSHist012024041520240422" })
            writer.IndexDat(history + "\\History.IE5\\" + week + "\\index.dat", HoursBeforeNow(100));
        writer.TextFile(history + "\\History.IE5\\desktop.ini", "[.ShellClassInfo]\r\nConfirmFileOp=0\r\n", HoursBeforeNow(900));
    }
    std::string windows;
    if (WindowsFolder(windows)) {
        writer.IndexDat(windows + "\\History\\History.IE5\\index.dat", HoursBeforeNow(1200));
        writer.TextFile(windows + "\\History\\desktop.ini", "[.ShellClassInfo]\r\n", HoursBeforeNow(1200));
    }
}

void SeedTemporaryFiles(TraceWriter& writer)
{
    std::string windows;
    if (WindowsFolder(windows)) {
        const std::string temp = windows + "\\Temp";
        writer.TextFile(temp + "\\MSI4c2f1.LOG", "=== Verbose logging started ===\r\n", HoursBeforeNow(30));
        writer.TextFile(temp + "\\vcredist_x64_20240412.log", "Installation completed.\r\n", HoursBeforeNow(250));
        writer.TextFile(temp + "\\{5C1A9F2E-7B31-4D1E-9C55-0A4E7D3B2F10}\\setup.ini", "[Setup]\r\nLang=1033\r\n", HoursBeforeNow(251));
    }
    std::string temp;
    if (UserTempFolder(temp)) {
        writer.TextFile(temp + "\\~DF3A21.tmp", std::string(512, 'x'), HoursBeforeNow(5));
        writer.TextFile(temp + "\\~WRL0003.tmp", std::string(2048, 'w'), HoursBeforeNow(8));
        writer.TextFile(temp + "\\Quarterly report (autosaved).tmp", "draft", HoursBeforeNow(26));
        writer.TextFile(temp + "\\Low\\update-check.xml", "<check result=\"none\"/>", HoursBeforeNow(48));
        // An analysis leaves a "Cookies" folder here out of its list; the eraser takes it all the same.
        writer.TextFile(temp + "\\Cookies\\jsmith@example[2].txt", "pref\nlang=en\nexample.com/\n", HoursBeforeNow(49));
    }
}

// Each value is a document's name in UTF-16 with its terminating zero; MRUListEx lists the
// value numbers, most recent first, and ends with -1.
std::string RecentDocsEntry(const std::string& name)
{
    std::string data;
    for (char c : name + '\0') {
        data += c;
        data += '\0';
    }
    return data;
}

void SeedRecentDocuments(TraceWriter& writer)
{
    std::string documents, recent;
    // The shared documents: the user's own folder may be a link into the Unix home.
    if (!SpecialFolder(CSIDL_COMMON_DOCUMENTS, documents) || !SpecialFolder(CSIDL_RECENT, recent))
        return;
    const char* const names[] = {
        "Quarterly report.doc", "Budget 2024.xls", "Holiday photos.zip", "Meeting notes.txt",
        "Invoice 1043.pdf", "Garden plan.bmp",
    };
    writer.DeleteKey(HKEY_CURRENT_USER, kRecentDocs);
    std::string order;
    int i = 0;
    for (const std::string name : names) {
        const std::string target = documents + "\\" + name;
        writer.TextFile(target, "demo document " + name, HoursBeforeNow(40 + i * 30));
        writer.Shortcut(recent + "\\" + name + ".lnk", target, HoursBeforeNow(10 + i * 30));
        writer.BinaryValue(HKEY_CURRENT_USER, kRecentDocs, std::to_string(i), RecentDocsEntry(name));
        const DWORD index = i++;
        order.append(reinterpret_cast<const char*>(&index), sizeof index);
    }
    const DWORD end = 0xFFFFFFFF;
    order.append(reinterpret_cast<const char*>(&end), sizeof end);
    writer.BinaryValue(HKEY_CURRENT_USER, kRecentDocs, "MRUListEx", order);
}

// A place of the network neighbourhood is a folder holding its shortcut.
void SeedNetworkShortcuts(TraceWriter& writer)
{
    std::string nethood;
    if (!SpecialFolder(CSIDL_NETHOOD, nethood))
        return;
    const struct { const char* name; const char* target; } places[] = {
        { "projects on fileserver", "\\\\fileserver\\projects" },
        { "scans on printer-2f", "\\\\printer-2f\\scans" },
        { "public on nas", "\\\\nas\\public" },
    };
    int i = 0;
    for (const auto& place : places) {
        const std::string folder = nethood + "\\" + place.name;
        const FILETIME time = HoursBeforeNow(60 + 100 * i++);
        writer.Shortcut(folder + "\\target.lnk", place.target, time);
        writer.TextFile(folder + "\\desktop.ini",
                        "[.ShellClassInfo]\r\nCLSID2={0AFACED1-E828-11D1-9187-B532F1E9575D}\r\nFlags=2\r\n", time);
    }
}

void SeedRegistryHistories(TraceWriter& writer)
{
    const char* const typed[] = {
        "http://www.example.com/", "http://news.example.org/", "http://shop.example.net/products/garden-chairs.html",
        "http://maps.example.org/search?q=station", "http://mail.example.com/", "http://weather.example.net/today",
    };
    writer.DeleteKey(HKEY_CURRENT_USER, kTypedUrls);
    int i = 0;
    for (const char* url : typed)
        writer.StringValue(HKEY_CURRENT_USER, kTypedUrls, "url" + std::to_string(++i), url);

    // The Run box keeps each command with "\1" after it, and the order of use in MRUList.
    const char* const commands[] = { "notepad", "cmd", "regedit", "\\\\fileserver\\projects", "calc", "msconfig" };
    writer.DeleteKey(HKEY_CURRENT_USER, kRunMru);
    std::string order;
    for (const char* command : commands) {
        const std::string letter(1, static_cast<char>('a' + order.size()));
        writer.StringValue(HKEY_CURRENT_USER, kRunMru, letter, std::string(command) + "\\1");
        order.insert(0, letter);
    }
    writer.StringValue(HKEY_CURRENT_USER, kRunMru, "MRUList", order);

    writer.StringValue(HKEY_CURRENT_USER, kWinlogon, "DefaultUserName", "jsmith");
    writer.StringValue(HKEY_CURRENT_USER, kWinlogon, "AltDefaultUserName", "OFFICE\\jsmith");
    writer.StringValue(HKEY_LOCAL_MACHINE, kWinlogon, "DefaultUserName", "Administrator");
}

}

int main()
{
    TraceWriter writer;
    SeedUrlCache(writer, CurrentUserName());
    SeedHistoryFolders(writer);
    SeedTemporaryFiles(writer);
    SeedRecentDocuments(writer);
    SeedNetworkShortcuts(writer);
    SeedRegistryHistories(writer);
    std::printf("Seeded the demo machine: %d URL-cache entries, %d files, %d registry values.\n",
                writer.Entries(), writer.Files(), writer.Values());
    return writer.Failures() == 0 ? 0 : 1;
}
