// actSendPrj: the project file as attachment of a new mail in the user's
// mail program.
#pragma once

#include "gui/common/window_services.h"

namespace pc::gui {

inline constexpr const char* kSendSaveQuestion =
    "Om het project te versturen moet u het eerst opslaan, wilt u dit nu doen?";
inline constexpr const char* kSendProjectSubject = "Project bestand";
inline constexpr const char* kSendProjectBody = "Bijdeze het projectbestand";

// A project with changes, or one that was never saved, is saved first when
// the user agrees; without a saved file nothing is sent. Returns SendMail's
// result, or -2 when nothing was sent because there was no file.
int SendProject(TWindowServices& window);

}  // namespace pc::gui
