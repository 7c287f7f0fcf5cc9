#pragma once

namespace dvq3 {

class frmMainMenu;
class Session;

// Brings the station from launch to the main menu: the sound folder and database paths, the
// [Options] line of the initialisation file, the question database opened exclusively for the
// run, the splash, the data drive, and the main window. Returns false when the program ends
// instead (the user gave up on a missing disk or database).
bool RunStartup(Session& session, frmMainMenu& mainMenu);

} // namespace dvq3
