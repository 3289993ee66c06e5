#pragma once
// What a screen reader tells of the main window's controls where their shown text alone does
// not say it: the labels name their fields, the help button, the diagnostic list and the model
// group get names of their own, and the tooltips are the controls' descriptions. The texts the
// window shows stay as they are.

namespace velmaron {

class Form1;

void describeForScreenReaders(Form1& form);

} // namespace velmaron
