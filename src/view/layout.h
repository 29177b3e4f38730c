// The page's two layouts: the window as designed, in pixels, and one column
// of frames for narrow screens and large text, each frame a grid of its rows
// and columns. Which one is used is decided here from sizes the view
// measured; the grid, and the tab chain of each layout, are made here too.
#pragma once

#include "form/controls.h"
#include "view/controlnames.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

enum class Layout { Window, OneColumn };

// A control's cell in its frame's grid, rows and columns counted from 1; a
// cell that runs to the frame's last column has `toLastColumn`.
struct GridCell {
    int row = 1;
    int rows = 1;
    int column = 1;
    bool toLastColumn = false;
};

// Where a control stands in the one-column layout. A frame has its place in
// reading order and its count of columns; a control inside a frame has its
// cell. A result that beside a box or a button would be cut takes a line of
// its own under its row, after the caption of its column's heading when it
// has one (`lead`: "第一套" before a set's total).
struct ColumnPlace {
    int readingOrder = 0;
    int columns = 1;
    GridCell cell;
    FieldId lead = kNoControl;
    // A row's name: never squeezed, the boxes beside it give way.
    bool namesRow = false;
    // A frame whose columns share its width evenly: a grid's cells under
    // their names.
    bool evenColumns = false;
};

// How a grid's cells (配装测试: a row of rating boxes under each set) run
// in the one-column layout: beside their row's name; on a line of their own
// under it; or two a line under it, the sets' headings two a line as well,
// so that each cell stands under its set's heading.
enum class CellLines { Beside, Under, Paired };

// Every control's place in the one-column layout, by FieldId.
const std::vector<ColumnPlace>& oneColumnPlaces(CellLines cells = CellLines::Beside);

// The widest rating a cell must show whole: five digits, in the widest.
inline constexpr std::string_view kWidestCellText = "88888";

// The first of Beside, Under and Paired whose cells have the room a cell
// needs to show kWidestCellText whole (needs, its padding and border
// included), from what the view measured: the grid's width inside its
// frame, its widest row name and the gap between its columns. Paired when
// none has.
CellLines chooseCellLines(double gridWidth, double widestName, double gap, double needs);

// The tab chain, first to last: in the window layout the window's own order;
// in one column what the player sees, frame by frame from the top, each
// frame row by row from the left.
std::vector<FieldId> tabChain(Layout layout);

// A caption as the view measured it in the window layout, in CSS pixels: the
// size its whole text needs and the room its control gives it.
struct MeasuredCaption {
    FieldId field = 0;
    std::string caption;
    double width = 0;
    double height = 0;
    double roomWidth = 0;
    double roomHeight = 0;
};

// The controls whose captions are measured for the choice: every one with a
// caption of its own (labels, buttons, options, check boxes).
bool measuredForLayout(FieldId field);

// Whether text that needs `needs` pixels fits a room of `room`, as both views
// measure it: half a pixel or less over is the rounding of a layout to whole
// device pixels, which cuts no glyph.
bool fitsItsRoom(double needs, double room);

// Whether a caption needs more room than its control gives it in the window
// layout; a number too long is shortened with "…" and does not count.
bool needsMoreRoom(const MeasuredCaption& measured);

// The window layout when it fits the screen and every caption fits its
// control; else one column. Touch screens always take one column, for their
// targets.
Layout chooseLayout(double screenWidth, double windowWidth, bool touch, bool aCaptionNeedsMoreRoom);

} // namespace velmora
