#pragma once

// The preset library's window: a search box, the matching presets, the selected one's whole
// content and the buttons of the file operations. Created hidden; the library itself is read
// when the window first opens.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "surface/form/TableList.h"

namespace velmora {

class PresetLibrary;

struct LibraryWindow {
  std::string title{"Bibliothèque de presets"};
  std::string lblRecherche{"Rechercher :"};
  std::string edtRecherche;
  TableList lvPresets{"Nom\tAMP1\tAMP2\tGuitare\tModifié"};
  std::string lblContenu;
  std::string lblNom{"Nom :"};
  std::string edtNom;
  std::string lblDossier;
  std::string bttnDossier{"Dossier..."};
  std::string bttnEcouter{"Écouter"};
  std::string bttnRenommer{"Renommer"};
  std::string bttnDupliquer{"Dupliquer"};
  std::string bttnCorbeille{"Corbeille"};
  std::string bttnEnregistrerSous{"Enregistrer sous"};
  std::string bttnMontrer{"Montrer"};
  std::string bttnFermer{"Fermer"};

  std::shared_ptr<PresetLibrary> library;
  // The positions in the library's entries of the rows shown, in order.
  std::vector<std::size_t> matches;
};

}  // namespace velmora
