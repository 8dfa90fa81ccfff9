#include "catalogue/search.h"

#include "catalogue/counter_text.h"
#include "catalogue/critere.h"
#include "catalogue/paced_event_pump.h"
#include "catalogue/record_display.h"
#include "catalogue/result_guard.h"
#include "catalogue/scan_pause.h"
#include "catalogue/search_busy.h"
#include "platform/app_info.h"
#include "platform/mouse_pointer.h"

namespace catalogue {
namespace {

// Points the data control at table Index of base.MDB in the program's folder. The window stays
// live while the catalogue is read: it paints, lights its hot spots, drags and answers
// accessibility queries, with the hourglass shown.
void openCatalogue(SearchWindow& window, DataControl& data) {
    const auto pump = [&window] { window.DoEvents(); };
    data.DatabaseName =
        platform::AppPath() + platform::PathSeparator() + QStringLiteral("base.MDB");
    data.Refresh(pump); // reads already, with the table of an earlier search
    data.RecordSource = QStringLiteral("Index");
    data.Refresh(pump);
}

// Walks the matches after the first one; the find that finds nothing counts too, so the count
// ends at the number of matches.
decltype(SearchResult::total) countMatches(SearchWindow& window, SearchResult& result) {
    decltype(SearchResult::total) count = 0;
    window.DoEvents();
    PacedEventPump pump(window);
    do {
        result.data.Recordset().FindNext(result.critere);
        ++count;
        pump.Tick();
    } while (!result.data.Recordset().NoMatch());
    return count;
}

// The search shows the first match by itself, cd first, where the record display starts with
// Nom.
void showFirstMatch(SearchWindow& window, SearchResult& result) {
    static constexpr ShownField kFirstMatch[] = {
        {FieldLabel::Cd, u"cd"},
        {FieldLabel::Nom, u"Nom"},
        {FieldLabel::Description, u"Description"},
    };
    result.data.Recordset().FindFirst(result.critere);
    if (!result.data.Recordset().NoMatch()) {
        ShowFields(window, result.data, kFirstMatch);
    } else {
        // The counter keeps its "0/0": an empty counter would hide that the search ran.
        window.ShowField(FieldLabel::Cd, QString());
        window.ShowField(FieldLabel::Nom, QString());
        window.ShowField(FieldLabel::Description, QString());
    }
}

void searchCatalogue(SearchWindow& window, SearchResult& result) {
    result.critere = BuildCritere(window.TypedText());
    openCatalogue(window, result.data);

    result.data.Recordset().FindFirst(result.critere);
    if (!result.data.Recordset().NoMatch()) {
        const auto count = countMatches(window, result);
        result.total = count;
        window.SetCounter(QStringLiteral("1/") + Digits(count));
        result.position = 1;
    } else {
        window.SetCounter(QStringLiteral("0/0"));
        result.position = 0;
        result.total = 0;
    }

    window.ShowArrow(Arrow::Previous, false);
    window.ShowArrow(Arrow::Next, result.total > 1);

    showFirstMatch(window, result);
    window.SetMousePointer(platform::vbDefault);
}

} // namespace

void Search(SearchWindow& window, SearchResult& result) {
    const SearchRunningScope running;
    // A find that goes through a large catalogue lets the window paint in the meantime.
    PacedEventPump scanPump(window);
    const ScanPauseScope pausing([&scanPump] { scanPump.Tick(); });

    window.SetMousePointer(platform::vbHourglass);
    window.DoEvents(); // lets the hourglass show

    if (window.TypedText().isEmpty()) {
        window.SetMousePointer(platform::vbDefault);
        return;
    }
    RunKeepingResult(window, result, [&] { searchCatalogue(window, result); });
    window.DoEvents();
}

} // namespace catalogue
