// Presses on the two arrows page through the matches of the last search: Picture4 back, Picture5
// forward (see catalogue/result_navigation.h).

#include "app/form_search_window.h"
#include "app/module3.h"
#include "app/shaped_form.h"
#include "catalogue/result_navigation.h"

void ShapedForm::Picture4_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                                    float& /*Y*/) {
    FormSearchWindow window(*this);
    catalogue::PressArrow(window, Module3::result, catalogue::Arrow::Previous, Button);
}

void ShapedForm::Picture5_MouseDown(std::int16_t& Button, std::int16_t& /*Shift*/, float& /*X*/,
                                    float& /*Y*/) {
    FormSearchWindow window(*this);
    catalogue::PressArrow(window, Module3::result, catalogue::Arrow::Next, Button);
}
