#pragma once
// The project's choice of calculation method, without any window: the
// texts the installment page and the choice dialog show, the dialog's
// selection and panel colours, and applying a choice to the installments.

#include <cstdint>
#include <string>

#include "installments/termijn_config.h"

namespace pc {

// Single-byte texts (the "e" with diaeresis of "Officiele" is 0xEB).
inline constexpr const char* kOfficialMethodName = "Offici\xEB" "le berekeningsmethode";
inline constexpr const char* kSimplifiedMethodName = "Vereenvoudigde berekeningsmethode";
inline constexpr const char* kOfficialMethodText =
    "Berekeningsmethode waarbij bij elke wijziging van de index een correctie wordt berekend.";
inline constexpr const char* kSimplifiedMethodText =
    "Berekeningsmethode waarbij de gehele termijn wordt verrekend tegen de indexwaarde zoals die "
    "geldt op de dag dat de termijn wordt ingediend.";
inline constexpr const char* kMethodLabelHint = "Klik om een andere berekeningsmethodiek te kiezen";
inline constexpr const char* kMethodDialogCaption = "Berekeningsmethode selectie";
// Page names under the maker's web site for "Meer informatie >>".
inline constexpr const char* kOfficialMethodPage = "BerekeningsmethodeOfficieel";
inline constexpr const char* kSimplifiedMethodPage = "BerekeningsmethodeVereenvoudigd";

// The method's name as the installment page shows it; a number other than
// 1 counts as the official method.
const char* CalculationMethodName(int method);
// The information page of a method: `siteBaseUrl` followed by its page name.
std::string CalculationMethodInfoUrl(const std::string& siteBaseUrl, int method);

// An RGB colour.
struct TRgb {
  std::uint8_t R = 0, G = 0, B = 0;
  friend bool operator==(const TRgb&, const TRgb&) = default;
};
inline constexpr TRgb kPanelHoverColour{213, 225, 227};
inline constexpr TRgb kPanelSelectedColour{216, 231, 251};
inline constexpr TRgb kPanelPlainColour{255, 255, 255};

// The state of the choice dialog: the selected method and the panel under
// the mouse pointer.
class TCalcMethodChoice {
 public:
  // Starts with the project's method (anything but 1 counts as official).
  explicit TCalcMethodChoice(int currentMethod);
  int Selected() const { return selected_; }
  // A click on a title or description of either panel selects the other
  // method.
  void Flip() { selected_ = 1 - selected_; }
  // The panel (0 official, 1 simplified) under the pointer, or -1 for none.
  void SetHover(int panel) { hover_ = panel == 0 || panel == 1 ? panel : -1; }
  // The colour of a panel: hover colour under the pointer, else the
  // selected colour for the selected method's panel, else white.
  TRgb PanelColour(int panel) const;
  // What the dialog returns: the selected method when confirmed, -1 when
  // cancelled.
  int Result(bool confirmed) const { return confirmed ? selected_ : -1; }

 private:
  int selected_ = 0;
  int hover_ = -1;
};

// Applies the dialog's result to the installments: nothing happens, and
// false is returned, when it is -1 (cancelled), not a method, or the
// method the set already uses. Otherwise the method is set and, when a
// current component is set, every component is recalculated; true is
// returned so the caller records the step and refills the grid.
bool ApplyCalculationMethod(TTermijnConfig& installments, int chosenMethod);

}  // namespace pc
