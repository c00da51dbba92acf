#pragma once
// The main window's layout, in twips as designed (15 twips = 1 pixel at 96 dpi).

#include "forms/Twips.h"

#include <QSize>

namespace zarvok::app::layout {

using forms::toPixels;
using forms::Twips;

inline constexpr QSize kClientSize{401, 204}; // 6015 x 3060 twips

// Panels, relative to the window.
inline constexpr Twips picToolBar{0, 0, 6015, 2715};
inline constexpr Twips PicStatus{0, 2745, 6015, 315};

// In picToolBar.
inline constexpr Twips cmdQuit{120, 0, 975, 885};
inline constexpr Twips cmdDelete{1080, 0, 975, 885};
inline constexpr Twips cmdCopy{2040, 0, 975, 885};
inline constexpr Twips cmdPaste{3000, 0, 975, 885};
inline constexpr Twips cmdAbout{4920, 0, 975, 885};
inline constexpr Twips etchedRule{0, 960, 6000, 30}; // two one-pixel lines, shadow above highlight
inline constexpr Twips lblHeader{375, 1080, 5265, 570};
inline constexpr Twips lblTitle{120, 1725, 2295, 195};
inline constexpr Twips cboPath{120, 1920, 5295, 315};
inline constexpr Twips cmdBrowse{5460, 1920, 435, 330};
inline constexpr Twips lblDisplay{0, 2400, 6000, 255};

// In PicStatus.
inline constexpr Twips lblPro{20, 0, 5925, 240};

} // namespace zarvok::app::layout
