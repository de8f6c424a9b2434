#pragma once

// The captions that change with the language, as data: the window builds its controls'
// texts from the same tables the language switch applies. Texts are UTF-8 here and
// Windows-1252 only on disk.

#include <array>
#include <string_view>

namespace velmora {

struct ControlCaption {
  std::string_view control;
  std::string_view caption;
};

// A label that shows the placeholder only while its selector has no model chosen: a chosen
// model's name stays on the label.
struct PlaceholderCaption {
  std::string_view label;
  std::string_view selector;
  std::string_view caption;
};

struct CaptionSet {
  // The value of Language in [CONFIG].
  std::string_view code;
  // Main window controls, set on every switch, in this order.
  std::array<ControlCaption, 11> mainWindow;
  std::array<PlaceholderCaption, 4> placeholders;
  // The About window's link.
  ControlCaption aboutLink;
};

inline constexpr CaptionSet Francais = {
    "FR",
    {{{"bttnNouveau", "Nouveau"},
      {"bttnOuvrir", "Ouvrir"},
      {"bttnEnregistrer", "Enregistrer"},
      {"bttnGuitares", "Guitare"},
      {"bttnAPropos", "A propos..."},
      {"bttnTraduire", "Translate"},
      {"bttnSynchro", "Synchroniser"},
      {"lblModelesGuitares", "Modèles de guitares:"},
      {"lblMateriel", "Matériel:"},
      {"lblSensibilite1", "Sensibilité: x"},
      {"lblSensibilite2", "Sensibilité: x"}}},
    {{{"lblAmpliAMP1", "cbAmpli1", "Sélectionnez un modèle d'ampli..."},
      {"lblAmpliAMP2", "cbAmpli2", "Sélectionnez un modèle d'ampli..."},
      {"lblEnceinteAMP1", "cbEnceintes1", "Sélectionnez un modèle d'enceinte..."},
      {"lblEnceinteAMP2", "cbEnceintes2", "Sélectionnez un modèle d'enceinte..."}}},
    {"lblSiteLine6", "Site officiel de Line 6"},
};

inline constexpr CaptionSet Anglais = {
    "EN",
    {{{"bttnNouveau", "New"},
      {"bttnOuvrir", "Open"},
      {"bttnEnregistrer", "Save"},
      {"bttnGuitares", "Guitar"},
      {"bttnAPropos", "About..."},
      {"bttnTraduire", "Traduire"},
      {"bttnSynchro", "Synchronise"},
      {"lblModelesGuitares", "Guitars models:"},
      {"lblMateriel", "Hardware:"},
      {"lblSensibilite1", "Sensibility: x"},
      {"lblSensibilite2", "Sensibility: x"}}},
    {{{"lblAmpliAMP1", "cbAmpli1", "Select amp model..."},
      {"lblAmpliAMP2", "cbAmpli2", "Select amp model..."},
      {"lblEnceinteAMP1", "cbEnceintes1", "Select cab model..."},
      {"lblEnceinteAMP2", "cbEnceintes2", "Select cab model..."}}},
    {"lblSiteLine6", "Line 6 official website"},
};

}  // namespace velmora
