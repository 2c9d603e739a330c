// The texts of the update and online-index forms that follow from data: the
// title of an index table offered online, the log as one text, and the
// mails the forms send. Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pc::update {

// The maker's support address (recipient of the log mail) and the web page
// about the index tables offered online.
inline constexpr std::string_view kSupportEmail = "support@prijscorrectum.nl";
inline constexpr std::string_view kIndexWebPage = "https://www.prijscorrectum.nl/indexen/";

inline constexpr std::string_view kAdminMailSubject = "Nieuwe versie PrijsCorrectum beschikbaar";
// The administrator mail's body: this text followed by kSupportEmail.
inline constexpr std::string_view kAdminMailBodyStart =
    "Er is een nieuwere versie van PrijsCorrectum beschikbaar. Deze versie is nog niet op deze computer "
    "ge\xEFnstalleerd. Hierbij verzoek ik u om deze op mijn computer te installeren. Voor vragen over het "
    "programma kan contact opgenomen worden met ";
std::string AdminMailBody();

// "Bouw.kvi" gives "Bouw Indexen": the name without its last four
// characters (the extension with its dot), then " Indexen".
std::string OnlineIndexTitle(std::string_view fileName);

// Every line of the log joined with CR LF, each line ending with it, as the
// log file holds them.
std::string LogText(const std::vector<std::string>& lines);

// A text for a window that breaks lines at LF only: CR LF, LF CR and a lone
// CR each become one LF. Everything else stays as it is.
std::string WithPlainLineBreaks(std::string_view text);

}  // namespace pc::update
