#pragma once
// How Enter, Escape and default buttons behave inside a page of the main
// window. The window is a dialog, where Enter would press a default button
// and Escape would close it; a page must do neither, yet the keyboard alone
// must still work every control.

class QWidget;

namespace torepal {

// Watches `page` and every widget inside it, also ones added later:
// - Enter or Return on a focused button (push button, check box, radio
//   button) presses it, as Space does;
// - Enter anywhere else does nothing, except that a multi-line edit still
//   takes it as a line break;
// - Escape does nothing;
// - no push button is ever the default or an auto-default button.
// A dialog opened with a widget of the page as its parent keeps its own
// Enter and Escape. Installing twice on one page changes nothing.
void InstallPageKeys(QWidget& page);

}  // namespace torepal
