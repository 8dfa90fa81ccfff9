#include "app/result_guard.h"

#include "app/module3.h"
#include "app/shaped_form.h"
#include "catalogue/catalogue_error.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "ui/caption_label.h"
#include "ui/data_control_widget.h"
#include "ui/skin_picture.h"

#include <optional>

namespace catalogue {
namespace {

// Everything a search or a move may change, apart from the pointer.
class ShownResult {
public:
    explicit ShownResult(ShapedForm& form)
        : form_(form), critere_(Module3::critere), total_(Module3::total),
          position_(Module3::position), counter_(form.Label4->caption()),
          cd_(form.Label5->caption()), nom_(form.Label6->caption()),
          description_(form.Label8->caption()), previousShown_(!form.Picture4->isHidden()),
          nextShown_(!form.Picture5->isHidden()), databaseName_(form.Data1->DatabaseName),
          recordSource_(form.Data1->RecordSource), recordset_(currentRecordset(form)) {}

    void Restore() const {
        Module3::critere = critere_;
        Module3::total = total_;
        Module3::position = position_;
        form_.Label4->setCaption(counter_);
        form_.Label5->setCaption(cd_);
        form_.Label6->setCaption(nom_);
        form_.Label8->setCaption(description_);
        form_.Picture4->setHidden(!previousShown_);
        form_.Picture5->setHidden(!nextShown_);
        form_.Data1->DatabaseName = databaseName_;
        form_.Data1->RecordSource = recordSource_;
        // Before the first search there is no recordset to go back to; then both arrows are
        // hidden, so nothing can page through the one a failed search left.
        if (recordset_) {
            form_.Data1->Recordset() = *recordset_;
        }
    }

private:
    static std::optional<Recordset> currentRecordset(ShapedForm& form) {
        try {
            return form.Data1->Recordset();
        } catch (const CatalogueError&) {
            return std::nullopt;
        }
    }

    ShapedForm& form_;
    QString critere_;
    decltype(Module3::total) total_;
    decltype(Module3::position) position_;
    QString counter_, cd_, nom_, description_;
    bool previousShown_, nextShown_;
    QString databaseName_, recordSource_;
    std::optional<Recordset> recordset_;
};

} // namespace

bool RunKeepingResult(ShapedForm& form, const std::function<void()>& operation) {
    const ShownResult before(form);
    try {
        operation();
        return true;
    } catch (const CatalogueError& error) {
        before.Restore();
        form.SetMousePointer(platform::vbDefault);
        platform::MsgBox(QString::fromStdString(error.what()),
                         platform::vbOKOnly | platform::vbExclamation);
        return false;
    } catch (...) {
        before.Restore();
        throw;
    }
}

} // namespace catalogue
