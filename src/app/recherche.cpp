#include "app/recherche.h"

#include "app/form_search_window.h"
#include "app/module3.h"
#include "app/shaped_form.h"
#include "catalogue/search.h"

namespace Module1 {

void recherche() {
    FormSearchWindow window(TheShapedForm());
    catalogue::Search(window, Module3::result);
}

} // namespace Module1
