#pragma once
// Runs an action whenever the mouse pointer enters one of the given controls.

#include <functional>
#include <initializer_list>

class QWidget;

namespace ui {

void WhenPointerEnters(std::initializer_list<QWidget*> controls, std::function<void()> action);

} // namespace ui
