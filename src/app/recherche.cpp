#include "app/recherche.h"

#include "app/module3.h"
#include "app/result_guard.h"
#include "app/search_busy.h"
#include "app/shaped_form.h"
#include "catalogue/counter_text.h"
#include "catalogue/critere.h"
#include "catalogue/displayed_fields.h"
#include "catalogue/field_text.h"
#include "catalogue/paced_event_pump.h"
#include "catalogue/scan_pause.h"

#include <filesystem>

namespace Module1 {
namespace {

using catalogue::SearchResult;

// Points the data control at table Index of base.MDB in the program's folder. The window stays
// live while the catalogue is read: it paints, lights its hot spots, drags and answers
// accessibility queries, with the hourglass shown.
void openCatalogue(app::Runtime& runtime, catalogue::DataControl& data) {
    const auto pump = [&runtime] { runtime.DoEvents(); };
    data.DatabaseName = CataloguePath(runtime);
    data.Refresh(pump); // reads already, with the table of an earlier search
    data.RecordSource = "Index";
    data.Refresh(pump);
}

// Walks the matches after the first one; the find that finds nothing counts too, so the count
// ends at the number of matches.
decltype(SearchResult::total) countMatches(app::Runtime& runtime, SearchResult& result) {
    decltype(SearchResult::total) count = 0;
    runtime.DoEvents();
    catalogue::PacedEventPump pump([&runtime] { runtime.DoEvents(); });
    do {
        result.data.Recordset().FindNext(result.critere);
        ++count;
        pump.Tick();
    } while (!result.data.Recordset().NoMatch());
    return count;
}

// The search shows the first match by itself, in an order of its own and asking for the fields
// by names of its own.
void showFirstMatch(app::Runtime& runtime, SearchResult& result) {
    result.data.Recordset().FindFirst(result.critere);
    const bool found = !result.data.Recordset().NoMatch();
    for (const catalogue::DisplayedField& field : catalogue::InSearchOrder()) {
        // On no match the counter keeps its "0/0": an empty counter would hide that the search
        // ran.
        runtime.SetCaption(
            app::Label(field.label),
            found ? catalogue::FieldText(result.data.Recordset().Fields(field.searchName)) : "");
    }
}

void searchCatalogue(app::Runtime& runtime, SearchResult& result) {
    result.critere = catalogue::BuildCritere(runtime.Text1Text());
    openCatalogue(runtime, result.data);

    result.data.Recordset().FindFirst(result.critere);
    if (!result.data.Recordset().NoMatch()) {
        const auto count = countMatches(runtime, result);
        result.total = count;
        runtime.SetCaption(app::Label::Label4, "1/" + std::to_string(count));
        result.position = 1;
    } else {
        runtime.SetCaption(app::Label::Label4, "0/0");
        result.position = 0;
        result.total = 0;
    }

    runtime.SetVisible(app::Picture::Picture4, false);
    runtime.SetVisible(app::Picture::Picture5, result.total > 1);

    showFirstMatch(runtime, result);
    runtime.SetMousePointer(app::vbDefault);
}

} // namespace

// Plain joining: a folder that already ends in a separator gets a second one.
std::string CataloguePath(app::Runtime& runtime) {
    return runtime.AppPath() + char(std::filesystem::path::preferred_separator) + "base.MDB";
}

void recherche() {
    app::Runtime& runtime = TheShapedForm().runtime();
    const app::SearchRunningScope running;
    // A find that goes through a large catalogue lets the window paint in the meantime.
    catalogue::PacedEventPump scanPump([&runtime] { runtime.DoEvents(); });
    const catalogue::ScanPauseScope pausing([&scanPump] { scanPump.Tick(); });

    runtime.SetMousePointer(app::vbHourglass);
    runtime.DoEvents(); // lets the hourglass show

    if (runtime.Text1Text().empty()) {
        runtime.SetMousePointer(app::vbDefault);
        return;
    }
    app::RunKeepingResult(runtime, Module3::result,
                          [&] { searchCatalogue(runtime, Module3::result); });
    runtime.DoEvents();
}

} // namespace Module1
