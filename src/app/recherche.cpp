#include "app/recherche.h"

#include "app/module3.h"
#include "app/result_guard.h"
#include "app/shaped_form.h"
#include "catalogue/counter_text.h"
#include "catalogue/critere.h"
#include "catalogue/field_text.h"
#include "catalogue/paced_event_pump.h"
#include "catalogue/search_busy.h"
#include "platform/app_info.h"
#include "platform/mouse_pointer.h"
#include "platform/runtime_services.h"
#include "ui/caption_label.h"
#include "ui/data_control_widget.h"
#include "ui/search_box.h"
#include "ui/skin_picture.h"

namespace Module1 {
namespace {

// Points the data control at table Index of base.MDB in the program's folder.
void openCatalogue(ShapedForm& form) {
    form.Data1->DatabaseName =
        platform::AppPath() + platform::PathSeparator() + QStringLiteral("base.MDB");
    form.Data1->Refresh();
    form.Data1->RecordSource = QStringLiteral("Index");
    form.Data1->Refresh();
}

// Walks the matches after the first one; the find that finds nothing counts too, so the count
// ends at the number of matches.
decltype(Module3::total) countMatches(ShapedForm& form) {
    decltype(Module3::total) count = 0;
    platform::DoEvents();
    catalogue::PacedEventPump pump;
    do {
        form.Data1->Recordset().FindNext(Module3::critere);
        ++count;
        pump.Tick();
    } while (!form.Data1->Recordset().NoMatch());
    return count;
}

void showFirstMatch(ShapedForm& form) {
    form.Data1->Recordset().FindFirst(Module3::critere);
    if (!form.Data1->Recordset().NoMatch()) {
        form.Label5->setCaption(
            catalogue::FieldText(form.Data1->Recordset().Fields(QStringLiteral("cd"))));
        form.Label6->setCaption(
            catalogue::FieldText(form.Data1->Recordset().Fields(QStringLiteral("Nom"))));
        form.Label8->setCaption(
            catalogue::FieldText(form.Data1->Recordset().Fields(QStringLiteral("Description"))));
    } else {
        // The counter keeps its "0/0": an empty counter would hide that the search ran.
        form.Label5->setCaption(QString());
        form.Label6->setCaption(QString());
        form.Label8->setCaption(QString());
    }
}

void searchCatalogue(ShapedForm& form) {
    Module3::critere = catalogue::BuildCritere(form.Text1->text());
    openCatalogue(form);

    form.Data1->Recordset().FindFirst(Module3::critere);
    if (!form.Data1->Recordset().NoMatch()) {
        const auto count = countMatches(form);
        Module3::total = count;
        form.Label4->setCaption(QStringLiteral("1/") + catalogue::Digits(count));
        Module3::position = 1;
    } else {
        form.Label4->setCaption(QStringLiteral("0/0"));
        Module3::position = 0;
        Module3::total = 0;
    }

    form.Picture4->setVisible(false);
    form.Picture5->setVisible(Module3::total > 1);

    showFirstMatch(form);
    form.SetMousePointer(platform::vbDefault);
}

} // namespace

void recherche() {
    ShapedForm& form = TheShapedForm();
    const catalogue::SearchRunningScope running;

    form.SetMousePointer(platform::vbHourglass);
    platform::DoEvents(); // lets the hourglass show

    if (form.Text1->text().isEmpty()) {
        form.SetMousePointer(platform::vbDefault);
        return;
    }
    catalogue::RunKeepingResult(form, [&form] { searchCatalogue(form); });
    platform::DoEvents();
}

} // namespace Module1
