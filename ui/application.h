#pragma once

// What the whole program shares: its name and version, its desktop entry, the
// style its text boxes are drawn in, Qt's own texts in Bulgarian, and the
// default font and the icon every window and message box carries.
void identifyApplication();
