// What the index grid shows of a month, and the exchange of rectangles of
// figures with spreadsheets as clipboard text: fields separated by a tab,
// rows ended by a carriage return.
//
// Areas are given in grid terms: component positions 1..Count() as columns
// and period rows 1..MonthCount() as rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "indextable/bd_config.h"

namespace pc {

// How a month of a component is shown.
enum class TFigureState : std::uint8_t {
  Empty = 0,           // nothing shown
  Own = 1,             // the month's own figure
  CarriedForward = 2,  // an earlier month's figure carried forward
  Trend = 3,           // a figure of the trend extension
};
struct TShownFigure {
  double Figure = 0;
  TFigureState State = TFigureState::Empty;
};

// What the grid shows for `position` and period `row`; Empty outside.
TShownFigure ShownFigure(const TBDConfig& table, int position, int row);
// Its text: the figure with two decimals and a decimal comma, or "".
std::string ShownFigureText(const TBDConfig& table, int position, int row);

// A rectangle of the grid. Columns and Rows are at least 1 when it is valid.
struct TFigureArea {
  int FirstPosition = 1;
  int FirstRow = 1;
  int Columns = 0;
  int Rows = 0;
};

// The copied text of an area: what the grid shows, cells of a row joined by
// a tab, rows by a carriage return (nothing after the last row); an empty
// cell is one blank.
std::string CopyFiguresText(const TBDConfig& table, const TFigureArea& area);

// One field of pasted text, at its column and row offset (from 0) in the
// area it is pasted into.
struct TPasteField {
  int Column = 0;
  int Row = 0;
  std::string Text;
};

// Splits clipboard text into the fields that fall inside an area of
// `columns` x `rows` cells. A tab ends a field; a carriage return, a line
// feed or the pair CR LF ends a field and the row. Characters 32..126 are
// kept, others dropped. Fields beyond the area are dropped, reading stops
// after the last row, and a last field without terminator counts only when
// it is not empty.
std::vector<TPasteField> ReadPasteFields(std::string_view text, int columns, int rows);

// Reads a typed or pasted figure. Blanks are dropped. A text holding both
// "." and "," is read as a Dutch spreadsheet writes numbers: "." groups
// thousands and "," is the decimal comma ("1.234,5" is 1234,5); likewise a
// text of several "." each followed by three digits ("1.234.567"). Otherwise
// "." is the decimal comma. The number is rounded half away from zero to two
// decimals and held to 0..99999,99 (below 0 gives 0, which clears). An empty
// text is 0. A text that still does not read as a number gives nothing.
std::optional<double> ReadFigureText(std::string_view text);

struct TPasteResult {
  int FieldsWritten = 0;   // fields that went into a cell
  bool Changed = false;    // some figure changed
  int LastColumn = -1;     // largest column offset that received a field
  // The first field that is not a figure; when set, nothing was changed.
  std::optional<TPasteField> Refused;
};

// Pastes clipboard text into an area (see ReadPasteFields) as own figures.
// Every field is read first; when one is not a figure the paste is refused
// whole. Afterwards every pasted cell shows the pasted figure. A field whose
// figure equals the carried-forward or trend figure its cell shows, and
// still shows after the paste, leaves that cell as it is, so text copied
// from the grid and pasted back in place changes nothing.
TPasteResult PasteFigures(TBDConfig& table, std::string_view text, const TFigureArea& area);

// Clears the own figures of an area (carried-forward months stay as they
// are; trend figures come back from the trend). Returns whether a figure
// changed.
bool ClearFigureArea(TBDConfig& table, const TFigureArea& area);

}  // namespace pc
