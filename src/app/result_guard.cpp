#include "app/result_guard.h"

#include "catalogue/catalogue_error.h"
#include "catalogue/displayed_fields.h"

#include <array>
#include <string>

namespace app {
namespace {

// What the window shows of a result.
class ShownResult {
public:
    explicit ShownResult(Runtime& runtime)
        : counter_(runtime.Caption(Label::Label4)), previous_(runtime.Visible(Picture::Picture4)),
          next_(runtime.Visible(Picture::Picture5)) {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            fields_[i] = runtime.Caption(Label(catalogue::kDisplayedFields[i].label));
        }
    }

    void ShowAgain(Runtime& runtime) const {
        runtime.SetCaption(Label::Label4, counter_);
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            runtime.SetCaption(Label(catalogue::kDisplayedFields[i].label), fields_[i]);
        }
        runtime.SetVisible(Picture::Picture4, previous_);
        runtime.SetVisible(Picture::Picture5, next_);
    }

private:
    std::string counter_;
    std::array<std::string, catalogue::kDisplayedFields.size()> fields_;
    bool previous_, next_;
};

} // namespace

bool RunKeepingResult(Runtime& runtime, catalogue::SearchResult& result,
                      const std::function<void()>& operation) {
    const catalogue::SearchResult before = result;
    const ShownResult shown(runtime);
    try {
        operation();
        return true;
    } catch (const catalogue::CatalogueError& error) {
        result = before;
        shown.ShowAgain(runtime);
        runtime.SetMousePointer(vbDefault);
        runtime.MsgBox(error.what(), vbOKOnly | vbExclamation);
        return false;
    } catch (...) {
        result = before;
        shown.ShowAgain(runtime);
        throw;
    }
}

} // namespace app
