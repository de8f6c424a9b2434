#include "surface/forms/LibraryForm.h"

#include "library/LibraryFolder.h"
#include "surface/editing/LibraryBrowser.h"
#include "surface/form/JoinedRows.h"
#include "surface/form/RowMakers.h"
#include "surface/forms/SetlistPane.h"

namespace velmora {

namespace {

using K = ControlKind;
using S = TextStyle;
using L = PanelLook;
using F = FormModel;
using W = LibraryWindow;
using namespace rows;

constexpr ControlEntry PlainButton(std::string_view name, int left, std::string_view caption) {
  return {name, K::Button, {}, {left, 430, 100, 25}, caption, S::Normal, L::None, true};
}

constexpr ControlEntry kRows[] = {
    Window(kLibraryFormName, setlist_pane::kWindowWidth, 463, "Bibliothèque de presets", L::Light),
    Text("lblRecherche", {}, {8, 10, 80, 16}, "Rechercher :", S::AboutText),
    Control("edtRecherche", K::Edit, {}, {92, 7, 416, 22}),
    Control("lvPresets", K::Table, {}, {8, 34, 500, 364}),
    Text("lblContenu", {}, {516, 34, 236, 300}, {}, S::AboutText),
    Text("lblNom", {}, {516, 344, 236, 16}, "Nom :", S::AboutText),
    Control("edtNom", K::Edit, {}, {516, 362, 236, 22}),
    Text("lblDossier", {}, {8, 406, 638, 16}, {}, S::AboutText),
    {"bttnDossier", K::Button, {}, {652, 400, 100, 25}, "Dossier...", S::Normal, L::None, true},
    PlainButton("bttnEcouter", 8, "Écouter"),
    PlainButton("bttnRenommer", 114, "Renommer"),
    PlainButton("bttnDupliquer", 220, "Dupliquer"),
    PlainButton("bttnCorbeille", 326, "Corbeille"),
    PlainButton("bttnEnregistrerSous", 432, "Enregistrer sous"),
    PlainButton("bttnMontrer", 538, "Montrer"),
    PlainButton("bttnFermer", 652, "Fermer"),
};

void CloseLibrary(EditingContext& context) {
  context.view.CloseForm(kLibraryFormName);
}

constexpr Binding kBindings[] = {
    {kLibraryFormName, Field<&F::library, &W::title>},
    {"lblRecherche", Field<&F::library, &W::lblRecherche>},
    {"edtRecherche", Field<&F::library, &W::edtRecherche>, LibrarySearchTyped},
    {"lvPresets", Field<&F::library, &W::lvPresets>, LibraryRowSelected},
    {"lblContenu", Field<&F::library, &W::lblContenu>},
    {"lblNom", Field<&F::library, &W::lblNom>},
    {"edtNom", Field<&F::library, &W::edtNom>},
    {"lblDossier", Field<&F::library, &W::lblDossier>},
    {"bttnDossier", Field<&F::library, &W::bttnDossier>, LibraryChooseFolder},
    {"bttnEcouter", Field<&F::library, &W::bttnEcouter>, LibraryAudition},
    {"bttnRenommer", Field<&F::library, &W::bttnRenommer>, LibraryRename},
    {"bttnDupliquer", Field<&F::library, &W::bttnDupliquer>, LibraryDuplicate},
    {"bttnCorbeille", Field<&F::library, &W::bttnCorbeille>, LibraryTrash},
    {"bttnEnregistrerSous", Field<&F::library, &W::bttnEnregistrerSous>, LibrarySaveCurrentAs},
    {"bttnMontrer", Field<&F::library, &W::bttnMontrer>, LibraryShowInFolder},
    {"bttnFermer", Field<&F::library, &W::bttnFermer>, CloseLibrary},
};

constexpr Caption kCaptions[] = {
    {kLibraryFormName, "Bibliothèque de presets", "Preset library", {}},
    {"lblRecherche", "Rechercher :", "Search:", {}},
    {"lvPresets", "Nom\tAMP1\tAMP2\tGuitare\tModifié", "Name\tAMP1\tAMP2\tGuitar\tModified", {}},
    {"lblNom", "Nom :", "Name:", {}},
    {"bttnEcouter", "Écouter", "Audition", {}},
    {"bttnRenommer", "Renommer", "Rename", {}},
    {"bttnDupliquer", "Dupliquer", "Duplicate", {}},
    {"bttnCorbeille", "Corbeille", "Trash", {}},
    {"bttnEnregistrerSous", "Enregistrer sous", "Save current as", {}},
    {"bttnMontrer", "Montrer", "Show in folder", {}},
    {"bttnFermer", "Fermer", "Close", {}},
    {"bttnDossier", "Dossier...", "Folder...", {}},
};

constexpr std::string_view kTabOrder[] = {
    "edtRecherche", "lvPresets",     "edtNom",        "bttnEcouter",
    "bttnRenommer", "bttnDupliquer", "bttnCorbeille", "bttnEnregistrerSous",
    "bttnMontrer",  "bttnFermer",    "bttnDossier",
};

// Enter auditions, F2 renames to the name box's text, Delete sends to the trash, F5 reads
// the folder again, Ctrl+F goes back to the search, Escape closes.
constexpr Shortcut kShortcuts[] = {
    {"Return", "bttnEcouter"},   {"F2", "bttnRenommer"},
    {"Delete", "bttnCorbeille"}, {"F5", {}, RefreshLibrary, "Refresh"},
    {"Ctrl+F", "edtRecherche"},  {"Escape", "bttnFermer"},
};

// The list and the content pane grow with the window; the name box and the buttons keep to
// its edges.
constexpr unsigned kMovesDown = kAnchorLeft | kAnchorBottom;
constexpr unsigned kKeepsToCorner = kAnchorRight | kAnchorBottom;
constexpr AnchorRow kAnchors[] = {
    {"edtRecherche", kAnchorLeft | kAnchorTop | kAnchorRight},
    {"lvPresets", kAnchorLeft | kAnchorTop | kAnchorRight | kAnchorBottom},
    {"lblContenu", kAnchorTop | kAnchorRight | kAnchorBottom},
    {"lblNom", kKeepsToCorner},
    {"edtNom", kKeepsToCorner},
    {"lblDossier", kMovesDown | kAnchorRight},
    {"bttnDossier", kKeepsToCorner},
    {"bttnEcouter", kMovesDown},
    {"bttnRenommer", kMovesDown},
    {"bttnDupliquer", kMovesDown},
    {"bttnCorbeille", kMovesDown},
    {"bttnEnregistrerSous", kMovesDown},
    {"bttnMontrer", kMovesDown},
    {"bttnFermer", kKeepsToCorner},
};

// The setlist pane's rows and keys join the library's.
constexpr auto kAllRows = Joined(kRows, setlist_pane::kRows);
constexpr auto kAllBindings = Joined(kBindings, setlist_pane::kBindings);
constexpr auto kAllCaptions = Joined(kCaptions, setlist_pane::kCaptions);
constexpr auto kAllTabOrder = Joined(kTabOrder, setlist_pane::kTabOrder);
constexpr auto kAllShortcuts = Joined(kShortcuts, setlist_pane::kShortcuts);
constexpr auto kAllAnchors = Joined(kAnchors, setlist_pane::kAnchors);

}  // namespace

const Form& LibraryWindowForm() {
  static const Form form{
      .id = kLibraryFormName,
      .rows = kAllRows,
      .bindings = kAllBindings,
      .captions = kAllCaptions,
      .tabOrder = kAllTabOrder,
      .pictures = {},
      .shortcuts = kAllShortcuts,
      .title = [](const FormModel& model) { return model.library.title; },
      .modal = false,
      .focus = "edtRecherche",
      .activated = RefreshLibrary,
      .refresh = RefreshSetlistPane,
      .whileShown = RefreshLibrary,
      .searchBox = "edtRecherche",
      .placeSection = kLibrarySection,
      .anchors = kAllAnchors,
  };
  return form;
}

}  // namespace velmora
