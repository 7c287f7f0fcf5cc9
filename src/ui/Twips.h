#pragma once

namespace dvq3 {

// Window geometry of the station is reckoned in twips (1440 to the inch); these convert at the
// screen's logical resolution.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);

} // namespace dvq3
