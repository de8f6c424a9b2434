#pragma once

// The live view and the library window's setlist pane. Their texts are the model's like any
// other window's; the setlist, its stepping and the footswitch are kept in the LiveStage,
// which the MIDI notification thread reaches too.

#include <memory>
#include <string>

#include "surface/form/TableList.h"

namespace velmora {

class LiveStage;

// Never null: every model holds a stage from its construction on.
std::shared_ptr<LiveStage> MakeLiveStage();

struct LiveWindow {
  std::string title{"Live"};
  std::string lblLivePosition;
  std::string lblLiveLabel;
  std::string lblLiveSuivant{"Suivant :"};
  std::string lblLiveNext;
  // The last notice of the stepping: an item gone to, or why a step did nothing.
  std::string lblLiveStatus;
  std::string lblLiveKeys;
  // The digits typed so far for "item N", Enter going there.
  std::string typedNumber;
  bool fullScreen = false;
};

struct SetlistPane {
  std::string lblSetlist{"Setlist :"};
  // The setlist's file name, or that it was never saved.
  std::string lblSetlistFichier;
  TableList lvSetlist{"N°\tÉlément"};
  std::string edtSetlistStored{"USER 1A"};
  std::string bttnSetlistNouveau{"Nouvelle"};
  std::string bttnSetlistOuvrir{"Ouvrir…"};
  std::string bttnSetlistEnregistrer{"Enregistrer"};
  std::string bttnSetlistEnregistrerSous{"Enregistrer sous…"};
  std::string bttnSetlistAjouter{"Ajouter la sélection"};
  std::string bttnSetlistAjouterStocke{"Ajouter"};
  std::string bttnSetlistRetirer{"Retirer"};
  std::string bttnSetlistMonter{"Monter"};
  std::string bttnSetlistDescendre{"Descendre"};
  std::string bttnApprendreSuivant{"Apprendre suivant"};
  std::string bttnApprendrePrecedent{"Apprendre précédent"};
  // The footswitch's bindings, or that a learn waits for its message.
  std::string lblPedale;
};

}  // namespace velmora
