// Sizes that keep a window's controls whole: a window designed narrower than its controls
// need opens as wide as they need, and an article-number box shows a whole EAN.
#pragma once

class QComboBox;
class QLineEdit;
class QWidget;

namespace vovida {

// Twips of the designed sizes per pixel of the screen.
inline constexpr int kTwipsProPixel = 15;

// The designed width in twips, or the width the window's controls need when that is more.
int Fensterbreite(const QWidget& fenster, int twips);
// Fixes the width of the widget to Fensterbreite: the width it opens with and keeps.
void BreiteFestlegen(QWidget& widget, int twips);
// The window is never made lower than the height, nor than its controls need.
void MindestHoehe(QWidget& fenster, int pixel);

// The box is at least as wide as the digits.
void ZiffernBreite(QLineEdit& box, int ziffern);

// Article numbers: six digits typed, eight or thirteen scanned.
void FuerArtikelnummer(QComboBox& box);
void FuerArtikelnummer(QLineEdit& box);

}  // namespace vovida
