#include "catalogue/result_guard.h"

#include "catalogue/catalogue_error.h"
#include "platform/mouse_pointer.h"

namespace catalogue {
namespace {

// What the window shows of a result.
class ShownResult {
public:
    explicit ShownResult(const SearchWindow& window)
        : counter_(window.Counter()), nom_(window.FieldShown(FieldLabel::Nom)),
          cd_(window.FieldShown(FieldLabel::Cd)),
          description_(window.FieldShown(FieldLabel::Description)),
          previous_(window.ArrowShown(Arrow::Previous)), next_(window.ArrowShown(Arrow::Next)) {}

    void ShowAgain(SearchWindow& window) const {
        window.SetCounter(counter_);
        window.ShowField(FieldLabel::Cd, cd_);
        window.ShowField(FieldLabel::Nom, nom_);
        window.ShowField(FieldLabel::Description, description_);
        window.ShowArrow(Arrow::Previous, previous_);
        window.ShowArrow(Arrow::Next, next_);
    }

private:
    QString counter_, nom_, cd_, description_;
    bool previous_, next_;
};

} // namespace

bool RunKeepingResult(SearchWindow& window, SearchResult& result,
                      const std::function<void()>& operation) {
    const SearchResult before = result;
    const ShownResult shown(window);
    try {
        operation();
        return true;
    } catch (const CatalogueError& error) {
        result = before;
        shown.ShowAgain(window);
        window.SetMousePointer(platform::vbDefault);
        window.ReportFailure(QString::fromStdString(error.what()));
        return false;
    } catch (...) {
        result = before;
        shown.ShowAgain(window);
        throw;
    }
}

} // namespace catalogue
