#include "indextable/figure_clipboard.h"

#include <algorithm>

#include "common/number_text.h"

namespace pc {
namespace {

bool ValidArea(const TBDConfig& table, const TFigureArea& a) {
  return a.Columns > 0 && a.Rows > 0 && a.FirstPosition >= 1 && a.FirstRow >= 1 &&
         a.FirstPosition + a.Columns - 1 <= table.Count() && a.FirstRow + a.Rows - 1 <= table.MonthCount();
}

// Whether every "." of `text` is followed by exactly three digits and then
// another "." or the end: thousands groups without decimals.
bool DotsGroupThousands(std::string_view text) {
  const std::size_t first = text.find('.');
  if (first == 0) return false;
  std::size_t i = first;
  while (i < text.size()) {
    if (text[i] != '.') return false;
    std::size_t digits = 0;
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      ++digits;
      ++i;
    }
    if (digits != 3) return false;
  }
  return true;
}

}  // namespace

TShownFigure ShownFigure(const TBDConfig& table, int position, int row) {
  const TMonthKey key = table.MonthAt(row);
  if (key == 0 || position < 1 || position > table.Count()) return {};
  const TIndexLookup l = table.GetIndex(key, position);
  switch (l.Code) {
    case TIndexResult::Own: return {l.Figure, TFigureState::Own};
    case TIndexResult::Trend: return {l.Figure, TFigureState::Trend};
    case TIndexResult::CarriedForward: return {l.Figure, TFigureState::CarriedForward};
    default: return {};
  }
}

std::string ShownFigureText(const TBDConfig& table, int position, int row) {
  const TShownFigure f = ShownFigure(table, position, row);
  return f.State == TFigureState::Empty ? std::string() : FormatTwoDecimals(2, f.Figure);
}

std::string CopyFiguresText(const TBDConfig& table, const TFigureArea& area) {
  std::string text;
  if (!ValidArea(table, area)) return text;
  for (int r = 0; r < area.Rows; ++r) {
    if (r > 0) text += '\r';
    for (int c = 0; c < area.Columns; ++c) {
      if (c > 0) text += '\t';
      const std::string cell = ShownFigureText(table, area.FirstPosition + c, area.FirstRow + r);
      text += cell.empty() ? std::string(" ") : cell;
    }
  }
  return text;
}

std::vector<TPasteField> ReadPasteFields(std::string_view text, int columns, int rows) {
  std::vector<TPasteField> fields;
  if (columns <= 0 || rows <= 0) return fields;
  int column = 0;
  int row = 0;
  std::string field;
  auto endField = [&] {
    if (column < columns) fields.push_back({column, row, field});
    field.clear();
  };
  for (std::size_t i = 0; i < text.size() && row < rows; ++i) {
    const auto ch = static_cast<unsigned char>(text[i]);
    if (ch == '\t') {
      endField();
      ++column;
    } else if (ch == '\r' || ch == '\n') {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      endField();
      column = 0;
      ++row;
    } else if (ch >= 32 && ch <= 126) {
      field += static_cast<char>(ch);
    }
  }
  if (!field.empty() && row < rows && column < columns) fields.push_back({column, row, field});
  return fields;
}

std::optional<double> ReadFigureText(std::string_view text) {
  std::string s;
  for (char ch : text)
    if (ch != ' ') s += ch;
  if (s.empty()) return 0.0;
  const std::size_t comma = s.find(',');
  const std::size_t lastDot = s.rfind('.');
  const std::size_t firstDot = s.find('.');
  if (comma != std::string::npos && lastDot != std::string::npos) {
    // Dutch spreadsheet: thousands groups before the decimal comma.
    if (lastDot > comma || !DotsGroupThousands(std::string_view(s).substr(0, comma))) {
      return std::nullopt;
    }
    s.erase(std::remove(s.begin(), s.end(), '.'), s.end());
  } else if (firstDot != std::string::npos && firstDot != lastDot) {
    if (!DotsGroupThousands(s)) return std::nullopt;
    s.erase(std::remove(s.begin(), s.end(), '.'), s.end());
  } else {
    std::replace(s.begin(), s.end(), '.', ',');
  }
  if (!TryReadDecimal(s)) return std::nullopt;
  return ReadFigure(s);
}

TPasteResult PasteFigures(TBDConfig& table, std::string_view text, const TFigureArea& area) {
  TPasteResult result;
  if (!ValidArea(table, area)) return result;
  const std::vector<TPasteField> fields = ReadPasteFields(text, area.Columns, area.Rows);
  std::vector<std::vector<TBDConfig::TRowFigure>> columns(static_cast<std::size_t>(area.Columns));
  std::vector<std::vector<TBDConfig::TRowFigure>> keptFigures(static_cast<std::size_t>(area.Columns));
  for (const TPasteField& f : fields) {
    const std::optional<double> value = ReadFigureText(f.Text);
    if (!value) {
      result.Refused = f;
      result.FieldsWritten = 0;
      return result;
    }
    const int position = area.FirstPosition + f.Column;
    const int row = area.FirstRow + f.Row;
    ++result.FieldsWritten;
    result.LastColumn = std::max(result.LastColumn, f.Column);
    const TShownFigure shown = ShownFigure(table, position, row);
    const bool kept = shown.State != TFigureState::Own && shown.State != TFigureState::Empty && shown.Figure == *value;
    (kept ? keptFigures : columns)[static_cast<std::size_t>(f.Column)].push_back({row, *value});
  }
  for (int c = 0; c < area.Columns; ++c) {
    const auto& figures = columns[static_cast<std::size_t>(c)];
    if (!figures.empty() && table.SetFigures(area.FirstPosition + c, figures)) result.Changed = true;
  }
  // A carried-forward or trend figure that equalled the pasted one stays what
  // it is, unless the rest of the paste changed what the cell shows: then the
  // pasted figure is stored, so the grid shows what was pasted.
  for (int c = 0; c < area.Columns; ++c) {
    std::vector<TBDConfig::TRowFigure> figures;
    for (const TBDConfig::TRowFigure& k : keptFigures[static_cast<std::size_t>(c)])
      if (ShownFigure(table, area.FirstPosition + c, k.Row).Figure != k.Value) figures.push_back(k);
    if (!figures.empty() && table.SetFigures(area.FirstPosition + c, figures)) result.Changed = true;
  }
  return result;
}

bool ClearFigureArea(TBDConfig& table, const TFigureArea& area) {
  if (!ValidArea(table, area)) return false;
  bool changed = false;
  for (int c = 0; c < area.Columns; ++c) {
    const int position = area.FirstPosition + c;
    std::vector<TBDConfig::TRowFigure> figures;
    for (int r = 0; r < area.Rows; ++r) {
      const int row = area.FirstRow + r;
      if (ShownFigure(table, position, row).State == TFigureState::Own) figures.push_back({row, 0});
    }
    if (!figures.empty() && table.SetFigures(position, figures)) changed = true;
  }
  return changed;
}

}  // namespace pc
