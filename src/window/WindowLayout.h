#pragma once

class QWidget;

namespace vnt {

// Size of the window's client area in device-independent pixels.
constexpr int ClientWidth = 605;
constexpr int ClientHeight = 553;

// A length of the window's design, in twips (1/1440 inch), in device-independent
// pixels at 15 twips to the pixel.
int twipsToPixels(int twips);

// Creates the window's 27 controls as children of the client area, with their
// object names, texts, fonts, positions, initial states and tab order; the window
// finds them again by name.
void buildWindowControls(QWidget* client);

} // namespace vnt
