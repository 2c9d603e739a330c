#include "installments/calc_method.h"

namespace pc {

const char* CalculationMethodName(int method) {
  return method == static_cast<int>(TCalcMethod::Simplified) ? kSimplifiedMethodName
                                                             : kOfficialMethodName;
}

std::string CalculationMethodInfoUrl(const std::string& siteBaseUrl, int method) {
  return siteBaseUrl + (method == static_cast<int>(TCalcMethod::Simplified) ? kSimplifiedMethodPage
                                                                             : kOfficialMethodPage);
}

TCalcMethodChoice::TCalcMethodChoice(int currentMethod)
    : selected_(currentMethod == static_cast<int>(TCalcMethod::Simplified) ? 1 : 0) {}

TRgb TCalcMethodChoice::PanelColour(int panel) const {
  if (panel == hover_) return kPanelHoverColour;
  return panel == selected_ ? kPanelSelectedColour : kPanelPlainColour;
}

bool ApplyCalculationMethod(TTermijnConfig& installments, int chosenMethod) {
  if (chosenMethod != static_cast<int>(TCalcMethod::Official) &&
      chosenMethod != static_cast<int>(TCalcMethod::Simplified)) {
    return false;
  }
  if (chosenMethod == static_cast<int>(installments.Method())) return false;
  installments.SetSimplified(chosenMethod);
  if (installments.CurrentComponent() != 0) installments.Calculate(0);
  return true;
}

}  // namespace pc
