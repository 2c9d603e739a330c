// A component ("bestanddeel") of the index table and its column caption.
#pragma once

#include <cstdint>
#include <string>

#include "common/date_time.h"

namespace pc {

inline constexpr int kMaxComponents = 50;
inline constexpr std::size_t kMaxComponentNameLength = 25;

// From when the component is settled ("Verrekening"). The numbers are stored
// in files.
namespace start_rule {
inline constexpr std::uint8_t kStartOfWorks = 0;        // "Start uitvoering"
inline constexpr std::uint8_t kYearAfterTender = 1;     // "Een jaar na aanbesteding"
inline constexpr std::uint8_t kFixedDate = 2;           // "Per" StartDate
inline constexpr std::uint8_t kYearAfterStartOfWorks = 3;  // "Een jaar na start uitvoering"
}  // namespace start_rule

// How figures are extended beyond the last own figure.
namespace trend_kind {
inline constexpr std::uint8_t kNone = 0;             // "Geen"
inline constexpr std::uint8_t kFromFigures = 1;      // linear trend from the own figures
inline constexpr std::uint8_t kFixedPercentage = 2;  // linear trend from TrendPercentage per year
}  // namespace trend_kind

// The seven values of a component that the user sets.
struct TComponentValues {
  std::string Name;               // at most 25 characters; empty = free slot
  double Percentage = 0;          // share of the installment amount, 0..100
  bool Variable = false;          // share given per installment instead
  std::uint8_t StartRule = start_rule::kStartOfWorks;
  TDateTime StartDate = 0;        // read only for start rule 2
  std::uint8_t TrendKind = trend_kind::kNone;
  double TrendPercentage = 0;     // yearly percentage of trend kind 2
  friend bool operator==(const TComponentValues&, const TComponentValues&) = default;
};

// One slot of the table: the values and the display position (0 = free).
struct TBDRecord : TComponentValues {
  std::uint8_t Position = 0;
};

// Whether a component takes part in the calculation and the component
// chooser: it is variable or its percentage is not 0.
inline bool TakesPart(const TComponentValues& c) { return c.Variable || c.Percentage != 0; }

// The column caption: name + " ( var )" when variable; else, when the
// percentage is not 0, name + " (" + percentage with two decimals and a
// decimal comma + "%)", e.g. "Lonen (35,00%)"; else the name alone.
std::string ComponentCaption(const std::string& name, bool variable, double percentage);

}  // namespace pc
