#pragma once

#include <string_view>

#include "common/Version.h"

namespace velnix::about {

// Who makes the program and where to reach it. The addresses sit under the example domain
// velnix.example.org until the project has a domain of its own.
inline constexpr std::string_view kAuthorLine = "Par l'équipe Velnix, 2026";
inline constexpr std::string_view kEmailAddress = "contact@velnix.example.org";
inline constexpr std::string_view kWebAddress = "https://velnix.example.org/";
inline constexpr std::string_view kMailTarget = "mailto:contact@velnix.example.org";
inline constexpr std::string_view kDonationTarget = "https://velnix.example.org/don";
inline constexpr std::string_view kLicenceLine = "Gratuit, sans garantie";

// The link labels and their tooltips.
inline constexpr std::string_view kEmailLabelPrefix = "E-Mail : ";
inline constexpr std::string_view kWebLabelPrefix = "URL : ";
inline constexpr std::string_view kEmailTip = "Envoyer un courriel";
inline constexpr std::string_view kWebTip = "Visiter le site de Velnix";
inline constexpr std::string_view kDonationTip = "Faire un don au projet Velnix";

// The details box.
inline constexpr std::string_view kDetailsTitle = "A propos";
inline constexpr std::string_view kDetailsHeading =
    "Velnix version " VELNIX_VERSION " - Auto-connexion Internet";
inline constexpr std::string_view kDetailsAuthor = "Auteur : L'équipe Velnix, 2026";

// The system information tool.
inline constexpr std::string_view kSysInfoMissing = "Information Systeme introuvable !";
inline constexpr std::string_view kSysInfoProgram = "\\MSINFO32.EXE";

}  // namespace velnix::about
