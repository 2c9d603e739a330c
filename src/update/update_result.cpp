#include "update/update_result.h"

namespace pc::update {

std::string UpdateResultText(std::int32_t code) {
  switch (code) {
    case 0: return std::string(kUpdateSucceededText);
    case 1: return "er kon geen verbinding gemaakt worden.";
    case 2: return "kon uitvoer map niet maken.";
    case 3: return "kon infobestand niet downloaden.";
    case 4: return "ongeldig infobestand ontvangen.";
    case 5: return "download fout.";
    case 6: return "kon bestand niet schrijven.";
    case 7: return "ds update is geannuleerd.";
    default: return "onbekende fout!";
  }
}

}  // namespace pc::update
