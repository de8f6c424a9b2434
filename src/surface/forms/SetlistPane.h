#pragma once

// The library window's setlist pane, to the right of the library: its rows, bindings,
// captions, tab order and keys, which the library window's form joins to its own. Insert
// adds the selected preset, Alt+Up and Alt+Down move the selected item. The file's name is
// a label under "Setlist :", so a screen reader names the list by it; the files themselves
// are chosen in the dialogs of Open and Save as.

#include "live/SetlistEditing.h"
#include "surface/form/Anchors.h"
#include "surface/form/Form.h"
#include "surface/form/RowMakers.h"

namespace velmora::setlist_pane {

// The library window's width without the pane, and with it.
inline constexpr int kLeft = 768;
inline constexpr int kWindowWidth = 1048;

constexpr ControlEntry PaneButton(std::string_view name, int left, int top, int width,
                                  std::string_view caption) {
  return {name,
          ControlKind::Button,
          {},
          {left, top, width, 25},
          caption,
          TextStyle::Normal,
          PanelLook::None,
          true};
}

inline constexpr int kHalf = 134;
inline constexpr int kRight = kLeft + kHalf + 4;

inline constexpr ControlEntry kRows[] = {
    rows::Text("lblSetlist", {}, {kLeft, 10, 272, 16}, "Setlist :", TextStyle::AboutText),
    rows::Text("lblSetlistFichier", {}, {kLeft, 28, 272, 20}, {}, TextStyle::AboutText),
    PaneButton("bttnSetlistNouveau", kLeft, 52, kHalf, "Nouvelle"),
    PaneButton("bttnSetlistOuvrir", kRight, 52, kHalf, "Ouvrir…"),
    PaneButton("bttnSetlistEnregistrer", kLeft, 81, kHalf, "Enregistrer"),
    PaneButton("bttnSetlistEnregistrerSous", kRight, 81, kHalf, "Enregistrer sous…"),
    rows::Control("lvSetlist", ControlKind::Table, {}, {kLeft, 111, 272, 189}),
    PaneButton("bttnSetlistAjouter", kLeft, 304, kHalf, "Ajouter la sélection"),
    PaneButton("bttnSetlistRetirer", kRight, 304, kHalf, "Retirer"),
    PaneButton("bttnSetlistMonter", kLeft, 333, kHalf, "Monter"),
    PaneButton("bttnSetlistDescendre", kRight, 333, kHalf, "Descendre"),
    rows::Control("edtSetlistStored", ControlKind::Edit, {}, {kLeft, 364, kHalf, 22}),
    PaneButton("bttnSetlistAjouterStocke", kRight, 362, kHalf, "Ajouter"),
    PaneButton("bttnApprendreSuivant", kLeft, 393, kHalf, "Apprendre suivant"),
    PaneButton("bttnApprendrePrecedent", kRight, 393, kHalf, "Apprendre précédent"),
    rows::Text("lblPedale", {}, {kLeft, 424, 272, 32}, {}, TextStyle::AboutText),
};

using F = FormModel;
using P = SetlistPane;

inline constexpr Binding kBindings[] = {
    {"lblSetlist", Field<&F::setlist, &P::lblSetlist>},
    {"lblSetlistFichier", Field<&F::setlist, &P::lblSetlistFichier>},
    {"bttnSetlistNouveau", Field<&F::setlist, &P::bttnSetlistNouveau>, SetlistNew},
    {"bttnSetlistOuvrir", Field<&F::setlist, &P::bttnSetlistOuvrir>, SetlistOpen},
    {"bttnSetlistEnregistrer", Field<&F::setlist, &P::bttnSetlistEnregistrer>, SetlistSave},
    {"bttnSetlistEnregistrerSous", Field<&F::setlist, &P::bttnSetlistEnregistrerSous>,
     SetlistSaveAs},
    {"lvSetlist", Field<&F::setlist, &P::lvSetlist>},
    {"bttnSetlistAjouter", Field<&F::setlist, &P::bttnSetlistAjouter>, SetlistInsertSelected},
    {"bttnSetlistRetirer", Field<&F::setlist, &P::bttnSetlistRetirer>, SetlistRemove},
    {"bttnSetlistMonter", Field<&F::setlist, &P::bttnSetlistMonter>, SetlistMoveUp},
    {"bttnSetlistDescendre", Field<&F::setlist, &P::bttnSetlistDescendre>, SetlistMoveDown},
    {"edtSetlistStored", Field<&F::setlist, &P::edtSetlistStored>},
    {"bttnSetlistAjouterStocke", Field<&F::setlist, &P::bttnSetlistAjouterStocke>,
     SetlistAddStored},
    {"bttnApprendreSuivant", Field<&F::setlist, &P::bttnApprendreSuivant>, LearnFootswitchNext},
    {"bttnApprendrePrecedent", Field<&F::setlist, &P::bttnApprendrePrecedent>,
     LearnFootswitchPrevious},
    {"lblPedale", Field<&F::setlist, &P::lblPedale>},
};

inline constexpr Caption kCaptions[] = {
    {"lblSetlist", "Setlist :", "Setlist:", {}},
    {"lvSetlist", "N°\tÉlément", "No.\tItem", {}},
    {"bttnSetlistNouveau", "Nouvelle", "New", {}},
    {"bttnSetlistOuvrir", "Ouvrir…", "Open…", {}},
    {"bttnSetlistEnregistrer", "Enregistrer", "Save", {}},
    {"bttnSetlistEnregistrerSous", "Enregistrer sous…", "Save as…", {}},
    {"bttnSetlistAjouter", "Ajouter la sélection", "Add selected", {}},
    {"bttnSetlistRetirer", "Retirer", "Remove", {}},
    {"bttnSetlistMonter", "Monter", "Move up", {}},
    {"bttnSetlistDescendre", "Descendre", "Move down", {}},
    {"bttnSetlistAjouterStocke", "Ajouter", "Add", {}},
    {"bttnApprendreSuivant", "Apprendre suivant", "Learn next", {}},
    {"bttnApprendrePrecedent", "Apprendre précédent", "Learn previous", {}},
};

inline constexpr std::string_view kTabOrder[] = {
    "bttnSetlistNouveau",
    "bttnSetlistOuvrir",
    "bttnSetlistEnregistrer",
    "bttnSetlistEnregistrerSous",
    "lvSetlist",
    "bttnSetlistAjouter",
    "bttnSetlistRetirer",
    "bttnSetlistMonter",
    "bttnSetlistDescendre",
    "edtSetlistStored",
    "bttnSetlistAjouterStocke",
    "bttnApprendreSuivant",
    "bttnApprendrePrecedent",
};

// The pane keeps to the window's right edge, its list growing with the window's height.
inline constexpr unsigned kKeepsRight = kAnchorTop | kAnchorRight;
inline constexpr unsigned kKeepsToCorner = kAnchorRight | kAnchorBottom;
inline constexpr AnchorRow kAnchors[] = {
    {"lblSetlist", kKeepsRight},
    {"lblSetlistFichier", kKeepsRight},
    {"bttnSetlistNouveau", kKeepsRight},
    {"bttnSetlistOuvrir", kKeepsRight},
    {"bttnSetlistEnregistrer", kKeepsRight},
    {"bttnSetlistEnregistrerSous", kKeepsRight},
    {"lvSetlist", kKeepsRight | kAnchorBottom},
    {"bttnSetlistAjouter", kKeepsToCorner},
    {"bttnSetlistRetirer", kKeepsToCorner},
    {"bttnSetlistMonter", kKeepsToCorner},
    {"bttnSetlistDescendre", kKeepsToCorner},
    {"edtSetlistStored", kKeepsToCorner},
    {"bttnSetlistAjouterStocke", kKeepsToCorner},
    {"bttnApprendreSuivant", kKeepsToCorner},
    {"bttnApprendrePrecedent", kKeepsToCorner},
    {"lblPedale", kKeepsToCorner},
};

inline constexpr Shortcut kShortcuts[] = {
    {"Ins", "bttnSetlistAjouter"},
    {"Alt+Up", "bttnSetlistMonter"},
    {"Alt+Down", "bttnSetlistDescendre"},
};

}  // namespace velmora::setlist_pane
