// The company logo that badges and slips print: its folder from the server, the picture
// loaded into the main window, and its proportion.
#pragma once

#include <QString>

namespace vovida {

// The folder of parameter "FIRMENLOGO" as a Windows path ("@" stands for "\").
QString Logoordner();

// Loads "Logo.bmp" of that folder into the main window's Logo. A file that cannot be
// read keeps the picture there is and gives false; the caller's window opens anyway.
bool FirmenlogoLaden();

// The logo's height as a part of its width ("F-LOGO-QZM"); 0, i.e. no logo, when the
// parameter is empty, no number or not above 0.
double LogoVerhaeltnis();

}  // namespace vovida
