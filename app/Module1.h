#pragma once

class mFrm_Main;

// The program's start.
namespace Module1 {

// Shows the main window modelessly and returns; the caller runs the event
// loop. The window deletes itself when it closes.
void Main();
// The main window Main() showed, or none once it has closed.
mFrm_Main *MainForm();

} // namespace Module1
