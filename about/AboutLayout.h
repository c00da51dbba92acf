#pragma once
// The About window's layout in twips as designed (15 twips = 1 pixel at 96 dpi).

#include "forms/Twips.h"

#include <QSize>

namespace zarvok::about::layout {

using forms::Twips;

inline constexpr QSize kClientSize{497, 322}; // 7455 x 4830 twips

inline constexpr Twips picLogo{240, 240, 2025, 1830};
inline constexpr Twips lblTitle{2400, 195, 4155, 360};
inline constexpr Twips lblVersion{2445, 495, 4155, 360};
inline constexpr Twips lblCopyright{2400, 840, 4815, 255};
inline constexpr Twips lblComments{2400, 1200, 4815, 1215};
inline constexpr Twips imgNorm{6720, 240, 480, 480};
inline constexpr Twips Text1{240, 2520, 6975, 1455};
inline constexpr Twips Frame1{240, 4200, 6975, 40};
inline constexpr Twips lblTittel{240, 4440, 3735, 255};
inline constexpr Twips lblHomePage{2040, 4440, 735, 195};
inline constexpr Twips lblEMail{3120, 4440, 765, 195};
inline constexpr Twips cmdOK{6240, 4335, 975, 405};

} // namespace zarvok::about::layout
