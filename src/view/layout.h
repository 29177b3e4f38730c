// The page's two layouts: the window as designed, in pixels, and one column
// of frames for narrow screens and large text, each frame a grid of its rows
// and columns. Which one is used is decided here from sizes the view
// measured; the grid, and the tab chain of each layout, are made here too.
#pragma once

#include "form/controls.h"
#include "view/controlnames.h"

#include <span>
#include <string>
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
};

// Every control's place in the one-column layout, by FieldId.
const std::vector<ColumnPlace>& oneColumnPlaces();

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

// Whether a caption needs more room than its control gives it in the window
// layout; a number too long is shortened with "…" and does not count.
bool needsMoreRoom(const MeasuredCaption& measured);

// The window layout when it fits the screen and every caption fits its
// control; else one column. Touch screens always take one column, for their
// targets.
Layout chooseLayout(double screenWidth, double windowWidth, bool touch, bool aCaptionNeedsMoreRoom);

} // namespace velmora
