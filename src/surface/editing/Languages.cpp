#include "surface/editing/Languages.h"

#include <stdexcept>
#include <string>

#include "profile/Profile.h"
#include "surface/files/SettingsFile.h"
#include "surface/form/CaptionTables.h"

namespace velmora {

namespace {

// The switch button names the other language.
constexpr std::string_view kSwitchWhileEnglish = "Traduire";
constexpr std::string_view kSwitchWhileFrench = "Translate";

template <typename Control>
struct NamedControl {
  std::string_view name;
  Control& (*get)(FormModel&);
};

constexpr std::array<NamedControl<std::string>, 16> kCaptions = {{
    {"bttnNouveau", [](FormModel& f) -> std::string& { return f.bttnNouveau.caption; }},
    {"bttnOuvrir", [](FormModel& f) -> std::string& { return f.bttnOuvrir.caption; }},
    {"bttnEnregistrer", [](FormModel& f) -> std::string& { return f.bttnEnregistrer.caption; }},
    {"bttnGuitares", [](FormModel& f) -> std::string& { return f.bttnGuitares.caption; }},
    {"bttnAPropos", [](FormModel& f) -> std::string& { return f.bttnAPropos.caption; }},
    {"bttnTraduire", [](FormModel& f) -> std::string& { return f.bttnTraduire.caption; }},
    {"bttnSynchro", [](FormModel& f) -> std::string& { return f.bttnSynchro.caption; }},
    {"lblModelesGuitares", [](FormModel& f) -> std::string& { return f.lblModelesGuitares; }},
    {"lblMateriel", [](FormModel& f) -> std::string& { return f.lblMateriel; }},
    {"lblSensibilite1", [](FormModel& f) -> std::string& { return f.lblSensibilite1; }},
    {"lblSensibilite2", [](FormModel& f) -> std::string& { return f.lblSensibilite2; }},
    {"lblAmpliAMP1", [](FormModel& f) -> std::string& { return f.lblAmpliAMP1; }},
    {"lblAmpliAMP2", [](FormModel& f) -> std::string& { return f.lblAmpliAMP2; }},
    {"lblEnceinteAMP1", [](FormModel& f) -> std::string& { return f.lblEnceinteAMP1; }},
    {"lblEnceinteAMP2", [](FormModel& f) -> std::string& { return f.lblEnceinteAMP2; }},
    {"lblSiteLine6", [](FormModel& f) -> std::string& { return f.about.lblSiteLine6; }},
}};

constexpr std::array<NamedControl<ComboBox>, 4> kSelectors = {{
    {"cbAmpli1", [](FormModel& f) -> ComboBox& { return f.cbAmpli1; }},
    {"cbAmpli2", [](FormModel& f) -> ComboBox& { return f.cbAmpli2; }},
    {"cbEnceintes1", [](FormModel& f) -> ComboBox& { return f.cbEnceintes1; }},
    {"cbEnceintes2", [](FormModel& f) -> ComboBox& { return f.cbEnceintes2; }},
}};

// The caption tables name only controls listed here; another name is a fault in the tables.
template <typename Control, std::size_t N>
Control& Find(const std::array<NamedControl<Control>, N>& controls, FormModel& form,
              std::string_view name) {
  for (const NamedControl<Control>& control : controls) {
    if (control.name == name) {
      return control.get(form);
    }
  }
  throw std::logic_error("no control named " + std::string(name));
}

void SetLanguage(EditingContext& context, const CaptionSet& captions) {
  WriteProfileString(context.folders.ConfigFile(), settings::kConfig, settings::kConfigLanguage,
                     captions.code);
  FormModel& form = context.form;
  for (const ControlCaption& caption : captions.mainWindow) {
    Find(kCaptions, form, caption.control) = caption.caption;
  }
  for (const PlaceholderCaption& placeholder : captions.placeholders) {
    if (Find(kSelectors, form, placeholder.selector).Text().empty()) {
      Find(kCaptions, form, placeholder.label) = placeholder.caption;
    }
  }
  Find(kCaptions, form, captions.aboutLink.control) = captions.aboutLink.caption;
}

}  // namespace

void SetLanguageFrench(EditingContext& context) {
  SetLanguage(context, Francais);
}

void SetLanguageEnglish(EditingContext& context) {
  SetLanguage(context, Anglais);
}

void bttnTraduireClick(EditingContext& context) {
  const std::string& caption = context.form.bttnTraduire.caption;
  if (caption == kSwitchWhileEnglish) {
    SetLanguageFrench(context);
  } else if (caption == kSwitchWhileFrench) {
    SetLanguageEnglish(context);
  }
}

void ApplyStoredLanguage(EditingContext& context, std::string_view stored) {
  if (stored == Francais.code || stored.empty()) {
    SetLanguageFrench(context);
  } else if (stored == Anglais.code) {
    SetLanguageEnglish(context);
  }
}

}  // namespace velmora
