#pragma once
// What the left mouse button does in the view. In the normal mode it drags
// the picture; a tool that needs the button (a ruler, a selection) comes as
// a mode of its own and takes it over.

enum class ViewMode {
    kNormal,
    kRuler,           // "测距": press, drag, release draws a measured line
    kAreaStatistics,  // "区域统计": a dragged rectangle's statistics
};
